#include "HelpViewerHost.h"

namespace quorvel {

HelpViewer* HelpViewerHost::ViewerFor(QWidget* owner) {
    if (owner == nullptr) {
        if (m_ownerless.isNull()) {
            m_ownerless = new HelpViewer;
            m_ownerless->setAttribute(Qt::WA_DeleteOnClose);
        }
        return m_ownerless;
    }
    if (auto* existing = owner->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new HelpViewer(owner);
}

void HelpViewerHost::ShowContents(QWidget* owner, const QString& helpFile) {
    ViewerFor(owner)->ShowContents(helpFile);
}

void HelpViewerHost::ShowKeywordSearch(QWidget* owner, const QString& helpFile, const QString& keyword) {
    ViewerFor(owner)->ShowKeywordSearch(helpFile, keyword);
}

} // namespace quorvel
