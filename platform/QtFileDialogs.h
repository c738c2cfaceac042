#pragma once
// The file dialogs of the running program: Qt's own dialog (the same on
// every desktop, read by screen readers, usable by keys alone) with the
// window's Japanese captions, and a Japanese question before a file is replaced.

#include "platform/FileDialogService.h"

namespace quorvel {

class QtFileDialogs final : public FileDialogService {
public:
    QString OpenFileName(QWidget* owner, const QString& start) override;
    QString SaveFileName(QWidget* owner, const QString& start) override;
    QString ExportFileName(QWidget* owner, const QString& start) override;
};

} // namespace quorvel
