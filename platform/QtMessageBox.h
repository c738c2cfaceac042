#pragma once
#include "platform/PlatformServices.h"

namespace quorvel {

class QtMessageBox final : public MessageBoxService {
public:
    void Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) override;
};

class QtClipboard final : public ClipboardService {
public:
    void Clear() override;
    QString Text() const override;
    void SetText(const QString& text) override;
};

} // namespace quorvel
