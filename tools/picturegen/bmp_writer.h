#pragma once

#include <QByteArray>
#include <QImage>

namespace picturegen {

// A 24-bit uncompressed Windows bitmap of `image` (alpha dropped), rows bottom-up as usual.
QByteArray encodeBmp24(const QImage& image);

} // namespace picturegen
