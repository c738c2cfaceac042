#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quorvel {

double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips * ScreenDpi() / 1440.0)); }

double PixelsToTwips(int pixels) { return pixels * 1440.0 / ScreenDpi(); }

QRect TwipsRect(double left, double top, double width, double height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace quorvel
