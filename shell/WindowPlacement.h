#pragma once
// Where the program's windows stand on the screen, frame and title bar
// included: the splash, the first run of the main window and the About box
// sit in the middle of the screen they start on; the help window stands
// beside the main window.
//
// A window manager adds its frame only when it maps the window; until then Qt
// knows nothing of it. CentreOnScreen therefore centres what is known at once
// (so a window without a frame, or a platform without a window manager, is
// right from the start) and, if the window is not framed yet, centres it once
// more as soon as it is first exposed, which is when the frame is known.

#include <QRect>

class QWidget;

namespace quorvel {

// The screen area the window starts on, less panels and docks.
QRect AvailableArea(const QWidget& window);

// The top-left corner of a frame of frameSize centred in area.
QPoint CentredFramePosition(const QRect& area, const QSize& frameSize);

void CentreOnScreen(QWidget& window);

} // namespace quorvel
