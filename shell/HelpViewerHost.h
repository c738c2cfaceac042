#pragma once
// The help service of the running program: our own help window, one per owner
// window (a child of it, so it closes with it), made on the first call and
// reused after that. The first time it opens it stands beside its owner,
// which moves aside when the screen has no room for both (HelpViewerPlacement).

#include "platform/HelpService.h"
#include "shell/HelpViewer.h"

namespace quorvel {

class HelpViewerHost final : public HelpService {
public:
    std::optional<QString> ShowContents(QWidget* owner, const QString& helpFile) override;
    std::optional<QString> SearchKeywords(QWidget* owner, const QString& helpFile) override;

    // The viewer of owner, made (and placed beside owner's window) when there is none yet.
    static HelpViewer* ViewerFor(QWidget& owner);
};

} // namespace quorvel
