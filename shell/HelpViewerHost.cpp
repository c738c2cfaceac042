#include "shell/HelpViewerHost.h"

#include "shell/WindowPlacement.h"

namespace quorvel {

HelpViewer* HelpViewerHost::ViewerFor(QWidget* owner) {
    if (owner == nullptr) {
        if (m_ownerless.isNull()) {
            m_ownerless = new HelpViewer;
            m_ownerless->setAttribute(Qt::WA_DeleteOnClose);
            CentreOnScreen(*m_ownerless);
        }
        return m_ownerless;
    }
    if (auto* existing = owner->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto* viewer = new HelpViewer(owner);
    // A small or much enlarged screen: the window keeps within it.
    viewer->resize(viewer->size().boundedTo(AvailableArea(*owner).size() * 0.9));
    PlaceBeside(*viewer, *owner->window());
    return viewer;
}

std::optional<QString> HelpViewerHost::ShowContents(QWidget* owner, const QString& helpFile) {
    ViewerFor(owner)->ShowContents(helpFile);
    return std::nullopt;
}

std::optional<QString> HelpViewerHost::SearchKeywords(QWidget* owner, const QString& helpFile) {
    ViewerFor(owner)->ShowKeywordSearch(helpFile, QString());
    return std::nullopt;
}

} // namespace quorvel
