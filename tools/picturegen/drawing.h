#pragma once

#include <QImage>

// The program's pictures, drawn from scratch. Every function returns the same pixels on every run.
namespace picturegen {

enum class ButtonFace { Raised, Pressed };

// The analyse button's face: 65 × 48, opaque (Format_RGB32).
QImage drawSearchButton(ButtonFace face);

// The backdrop panel behind the two large labels: 297 × 73, opaque (Format_RGB32).
QImage drawBackdrop();

// The program icon at size × size, on a transparent ground (Format_ARGB32).
QImage drawZhuyinIcon(int size);

} // namespace picturegen
