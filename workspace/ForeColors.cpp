#include "workspace/ForeColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace quorvel {

QColor ColorFromValue(std::uint32_t value) {
    if ((value & 0x80000000u) == 0) {
        const int red = static_cast<int>(value & 0xFFu);
        const int green = static_cast<int>((value >> 8) & 0xFFu);
        const int blue = static_cast<int>((value >> 16) & 0xFFu);
        return QColor(red, green, blue);
    }
    const QPalette palette = QGuiApplication::palette();
    if ((value & 0xFFu) == 4) // menu bar
        return palette.color(QPalette::Disabled, QPalette::Text);
    return palette.color(QPalette::Active, QPalette::WindowText); // window text, and any other
}

} // namespace quorvel
