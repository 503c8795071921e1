#include "platform/forms/Picture.h"

#include <QPainter>

namespace forms {

Picture::Picture(QString name, QImage image)
    : Item(std::move(name))
    , image_(std::move(image)) {
    setPixelRect(QRect(QPoint(0, 0), image_.size()));
}

void Picture::paint(QPainter& painter) const {
    painter.drawImage(pixelRect().topLeft(), image_);
}

} // namespace forms
