#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace picturegen {

// The outline of `text` in "AR PL UMing TW" at `pixelSize`, baseline at y = 0. Outlines rather
// than rendered text keep hinting and font settings out of the pictures. Throws
// std::runtime_error when the font or a glyph is missing: a substitute would change the pictures.
QPainterPath umingTextPath(const QString& text, qreal pixelSize);

// `path` moved so that the centre of its bounding box lies on `centre`.
QPainterPath centredOn(const QPainterPath& path, QPointF centre);

} // namespace picturegen
