#include "tools/picturegen/colours.h"
#include "tools/picturegen/drawing.h"
#include "tools/picturegen/glyph_paths.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace picturegen {
namespace {

constexpr int width = 65;
constexpr int height = 48;
constexpr qreal cornerRadius = 6;
constexpr int bevel = 2; // width of the light and dark edges inside the outline

const QColor faceGrey(192, 192, 192);
const QColor outline(64, 64, 64);
const QColor edgeLight(255, 255, 255);
const QColor edgeDark(128, 128, 128);
const QColor lensRim(0, 0, 160);
const QColor lensGlass(110, 160, 255);
const QColor handleYellow(255, 208, 0);
const QColor handleEdge(150, 110, 0);
const QColor textGreen(0, 128, 0);

QPainterPath roundedRect(qreal inset, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(inset, inset, width - 2 * inset, height - 2 * inset), radius,
                        radius);
    return path;
}

// The upper-left part of the face, split from the lower-right along 45° lines in the two other
// corners, as raised edges are lit on a classic button.
QPolygonF upperLeft() {
    const qreal d = bevel + 2;
    return QPolygonF({QPointF(0, 0), QPointF(width, 0), QPointF(width - d, d),
                      QPointF(d, height - d), QPointF(0, height)});
}

void drawEdges(QPainter& p, ButtonFace face) {
    const QPainterPath band = roundedRect(1, cornerRadius - 1)
                                  .subtracted(roundedRect(1 + bevel, cornerRadius - 1 - bevel));
    QPainterPath lit;
    lit.addPolygon(upperLeft());
    const bool raised = face == ButtonFace::Raised;
    p.fillPath(band.intersected(lit), raised ? edgeLight : edgeDark);
    p.fillPath(band.subtracted(lit), raised ? edgeDark : edgeLight);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(0.5, cornerRadius - 0.5));
}

void drawMagnifier(QPainter& p) {
    const QPointF centre(13, 20);
    const qreal radius = 7.5;
    const QPointF along(0.7071, 0.7071);
    const QPointF handleStart = centre + along * (radius + 1);
    const QPointF handleEnd = centre + along * (radius + 10);
    p.setPen(QPen(handleEdge, 6.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleStart, handleEnd);
    p.setPen(QPen(handleYellow, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleStart, handleEnd);

    p.setPen(QPen(lensRim, 2.5));
    p.setBrush(lensGlass);
    p.drawEllipse(centre, radius, radius);
    // A glint keeps the lens reading as glass.
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - 4.5, centre.y() - 4.5, 9, 9), 100 * 16, 70 * 16);
}

void drawCaption(QPainter& p) {
    // Two 16-pixel characters at the window's own 12-point size; the Ming strokes are thin at
    // this size, so a hairline of the same green thickens them.
    const QPainterPath text = centredOn(umingTextPath(QStringLiteral("查詢"), 16), {45, 24});
    p.setPen(QPen(textGreen, 0.6));
    p.setBrush(textGreen);
    p.drawPath(text);
}

} // namespace

QImage drawSearchButton(ButtonFace face) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colours::windowBlue);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(roundedRect(0, cornerRadius), faceGrey);
    drawEdges(p, face);

    p.save();
    p.setClipPath(roundedRect(1 + bevel, cornerRadius - 1 - bevel));
    if (face == ButtonFace::Pressed)
        p.translate(0, 1);
    drawMagnifier(p);
    drawCaption(p);
    p.restore();
    return image;
}

} // namespace picturegen
