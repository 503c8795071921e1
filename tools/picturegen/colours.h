#pragma once

#include <QRgb>

// The program's own fixed colours that the pictures repeat, so that they blend into the window.
namespace picturegen::colours {
inline constexpr QRgb windowBlue = qRgb(142, 171, 255); // the window's BackColor
inline constexpr QRgb boxBlue = qRgb(0, 0, 192);        // the frames' and large labels' fill
} // namespace picturegen::colours
