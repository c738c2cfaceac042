#include "shell/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quorvel {
namespace {

QMargins FrameMargins(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QSize FrameSize(const QWidget& window) {
    const QMargins frame = FrameMargins(window);
    return window.size().grownBy(frame);
}

void MoveCentred(QWidget& window) {
    // QWidget::move places a window's frame, the title bar included.
    window.move(CentredFramePosition(AvailableArea(window), FrameSize(window)));
}

// Centres its window again on the first exposure, then leaves.
class CentreWhenFramed final : public QObject {
public:
    explicit CentreWhenFramed(QWidget& window) : QObject(&window), m_window(&window) {
        window.winId(); // the native window, whose exposure is watched
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_window && m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            MoveCentred(*m_window);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
};

} // namespace

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen(); // the primary screen for a window on none yet
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

QPoint CentredFramePosition(const QRect& area, const QSize& frameSize) {
    return {area.left() + (area.width() - frameSize.width()) / 2,
            area.top() + (area.height() - frameSize.height()) / 2};
}

void CentreOnScreen(QWidget& window) {
    MoveCentred(window);
    const QWindow* handle = window.windowHandle();
    if (handle == nullptr || !handle->isExposed())
        new CentreWhenFramed(window);
}

} // namespace quorvel
