#pragma once
// The 32-bit colour values the input fields carry as ForeColor, and how they
// are shown. A value with the top bit set stands for the platform's system
// colour n (numbered as the Windows system-colour indices); any other value is
// an RGB colour written 0x00BBGGRR.

#include <QColor>

#include <cstdint>

namespace quorvel {

// System colour 8, window text: an active field.
inline constexpr std::uint32_t kWindowTextColor = 0x80000008u;
// System colour 4, menu bar: a dimmed field.
inline constexpr std::uint32_t kMenuBarColor = 0x80000004u;
// The fixed grey some dimmed fields start with, RGB 192,192,192.
inline constexpr std::uint32_t kStartingGreyColor = 0x00C0C0C0u;

// Window text maps to the palette's window-text colour. The menu-bar colour is
// meant as a grey that reads as "not in use" on a disabled field, so it maps to
// the palette's disabled text colour. The fields use no other system colour;
// any other is shown as window text.
QColor ColorFromValue(std::uint32_t value);

} // namespace quorvel
