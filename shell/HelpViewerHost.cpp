#include "shell/HelpViewerHost.h"

#include "shell/HelpViewerPlacement.h"
#include "shell/WindowPlacement.h"

#include <QWindow>

namespace quorvel {

HelpViewer* HelpViewerHost::ViewerFor(QWidget& owner) {
    if (auto* existing = owner.findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto* viewer = new HelpViewer(&owner);
    QWidget& main = *owner.window();
    const QRect area = AvailableArea(main);
    // A small or much enlarged screen: the window keeps within it.
    viewer->resize(viewer->size().boundedTo(area.size() * 0.9));
    // Not framed before it is shown: the main window's frame tells the likely one.
    const QWindow* mainHandle = main.windowHandle();
    const QSize frame = viewer->size().grownBy(mainHandle ? mainHandle->frameMargins() : QMargins());
    const HelpViewerPlaces places = PlaceHelpViewer(area, main.frameGeometry(), frame);
    // QWidget::move places a window's frame, the title bar included.
    if (places.owner != main.frameGeometry().topLeft())
        main.move(places.owner);
    viewer->move(places.viewer);
    return viewer;
}

std::optional<QString> HelpViewerHost::ShowContents(QWidget* owner, const QString& helpFile) {
    ViewerFor(*owner)->ShowContents(helpFile);
    return std::nullopt;
}

std::optional<QString> HelpViewerHost::SearchKeywords(QWidget* owner, const QString& helpFile) {
    ViewerFor(*owner)->ShowKeywordSearch(helpFile, QString());
    return std::nullopt;
}

} // namespace quorvel
