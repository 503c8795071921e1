#include "platform/forms/Shape.h"

#include <QPainter>

namespace forms {

Shape::Shape(QString name, OleColor outline, OleColor fill, int cornerRadius)
    : Item(std::move(name))
    , outline_(outline)
    , fill_(fill)
    , radius_(cornerRadius) {}

void Shape::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(outline_), 1));
    painter.setBrush(toQColor(fill_));
    painter.drawRoundedRect(QRectF(pixelRect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_, radius_);
    painter.restore();
}

} // namespace forms
