#pragma once
#include "platform/PlatformServices.h"

namespace quorvel {

class QtMessageBox final : public MessageBoxService {
public:
    void Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) override;
    // 保存(&S) is the default button (Enter), ｷｬﾝｾﾙ the escape button; the
    // letters S and D answer too, with or without Alt.
    SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& document) override;
    // 復元(&R) is the default button, 破棄(&D) the escape button.
    bool AskRestore(QWidget* owner, const QString& document) override;
};

class QtClipboard final : public ClipboardService {
public:
    void Clear() override;
    QString Text() const override;
    void SetText(const QString& text) override;
};

} // namespace quorvel
