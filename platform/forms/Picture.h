#pragma once

#include "platform/forms/Item.h"

#include <QImage>

namespace forms {

// An image control: shows its picture unscaled and is exactly the picture's size.
class Picture : public Item {
public:
    Picture(QString name, QImage image);
    void paint(QPainter& painter) const override;

private:
    QImage image_;
};

} // namespace forms
