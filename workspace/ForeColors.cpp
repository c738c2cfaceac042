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
    switch (value & 0xFFu) {
    case 4: // menu bar
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 5: // window background
        return palette.color(QPalette::Active, QPalette::Base);
    case 15: // button face
        return palette.color(QPalette::Active, QPalette::Button);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 18: // button text
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 8: // window text
    default:
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
}

} // namespace quorvel
