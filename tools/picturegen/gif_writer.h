#pragma once

#include <QByteArray>
#include <QImage>

namespace picturegen {

// A one-frame GIF89a of `indexed` (Format_Indexed8, 256-entry colour table) with that table as
// its global palette and no transparent colour. Qt reads GIF but cannot write it.
QByteArray encodeGif(const QImage& indexed);

} // namespace picturegen
