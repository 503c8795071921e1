#pragma once

#include <QByteArray>
#include <QImage>

namespace picturegen {

// A Windows icon file holding `image` as one 256-colour bitmap with an AND mask: pixels whose
// alpha is below 128 become transparent, the others opaque in their own colour.
QByteArray encodeIco256(const QImage& image);

} // namespace picturegen
