#include "tools/picturegen/drawing.h"
#include "tools/picturegen/glyph_paths.h"

#include <QPainter>
#include <QTransform>

namespace picturegen {
namespace {

struct Symbol {
    QChar character;
    QColor colour;
    QPointF centre; // on the 32-pixel grid
};

// ㄅ ㄆ ㄇ, the first three symbols, from top left to bottom right.
const Symbol symbols[] = {
    {QChar(0x3105), QColor(0, 0, 255), {7, 7}},
    {QChar(0x3106), QColor(224, 0, 0), {16, 16}},
    {QChar(0x3107), QColor(0, 160, 0), {25, 25}},
};
constexpr qreal symbolHeight = 12; // on the 32-pixel grid
constexpr qreal strokeWidth = 1.1; // thickens the Ming strokes so they hold at 32 pixels

} // namespace

QImage drawZhuyinIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / 32.0;
    for (const Symbol& symbol : symbols) {
        // Outlines drawn large and scaled down, so every size is drawn, not resampled.
        const QPainterPath outline = umingTextPath(QString(symbol.character), 256);
        const qreal fit = symbolHeight * scale / outline.boundingRect().height();
        const QPainterPath scaled = QTransform::fromScale(fit, fit).map(outline);
        p.setPen(
            QPen(symbol.colour, strokeWidth * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(symbol.colour);
        p.drawPath(centredOn(scaled, symbol.centre * scale));
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace picturegen
