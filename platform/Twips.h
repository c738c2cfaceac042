#pragma once
// Window geometry is kept in twips (1/1440 inch), the unit the layout and the
// stored window position use: 15 twips make one pixel at 96 dpi.

#include <QRect>

namespace quorvel {

// Logical dots per inch of the primary screen (96 when there is none).
double ScreenDpi();

int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

// (Left, Top, Width, Height) in twips to a pixel rectangle.
QRect TwipsRect(double left, double top, double width, double height);

} // namespace quorvel
