#pragma once

#include <QImage>
#include <QList>

namespace picturegen {

// `image` (opaque) as Format_Indexed8 with exactly 256 colour-table entries. An image of at most
// 256 colours keeps every colour exactly; a richer one keeps its most frequent colours exactly
// and spreads the rest of the table over the others, each pixel taking the nearest entry.
// Unused entries are black.
QImage toPalette256(const QImage& image);

// The same for several images with one table between them, so that a colour they share comes
// out the same in all of them.
QList<QImage> toSharedPalette256(const QList<QImage>& images);

} // namespace picturegen
