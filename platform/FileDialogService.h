#pragma once
// Choosing a file: the estimate or schema script to open, where an estimate
// is saved, and where its results go. The running program shows Qt's own
// file dialog with Japanese captions (QtFileDialogs); tests hand in a fake
// that records the question and answers as the test says.

#include <QString>

class QWidget;

namespace quorvel {

class FileDialogService {
public:
    virtual ~FileDialogService() = default;

    // Each modal over owner, beginning at start (a folder, or a file in its
    // folder); the path chosen, or "" when the user cancels. Saving asks
    // before it replaces a file that is there.
    [[nodiscard]] virtual QString OpenFileName(QWidget* owner, const QString& start) = 0;
    [[nodiscard]] virtual QString SaveFileName(QWidget* owner, const QString& start) = 0;
    // CSV (*.csv) or the text report (*.txt): a name typed without an ending
    // gets the one of the type chosen.
    [[nodiscard]] virtual QString ExportFileName(QWidget* owner, const QString& start) = 0;
};

} // namespace quorvel
