#pragma once

#include <QColor>
#include <cstdint>

// Colour values as the program writes them: &H00BBGGRR&, or &H800000nn& for system colour nn.
// System colours are fixed here (not taken from the desktop's palette) so the window always looks
// as laid out.
namespace forms {

using OleColor = std::uint32_t;

inline constexpr OleColor systemWindowBackground = 0x80000005;
inline constexpr OleColor systemWindowText = 0x80000008;
inline constexpr OleColor systemButtonText = 0x80000012;

QColor toQColor(OleColor colour);

} // namespace forms
