#include "platform/forms/Control.h"

#include "platform/forms/Form.h"

namespace forms {

void Control::setWidth(double twips) {
    const QRect r = pixelRect();
    setPixelRect(QRect(r.topLeft(), QSize(std::max(0, pixelsFromTwips(twips)), r.height())));
}

void Control::setHeight(double twips) {
    const QRect r = pixelRect();
    setPixelRect(QRect(r.topLeft(), QSize(r.width(), std::max(0, pixelsFromTwips(twips)))));
}

void Control::move(double left, double top, double width, double height) {
    setPixelRect(QRect(pixelsFromTwips(left), pixelsFromTwips(top),
                       std::max(0, pixelsFromTwips(width)), std::max(0, pixelsFromTwips(height))));
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    visibilityChanged();
    if (form_)
        form_->repaintArea(rect_);
}

bool Control::contains(QPointF p) const {
    return p.x() >= Left() && p.x() < Left() + Width() && p.y() >= Top() &&
           p.y() < Top() + Height();
}

void Control::setPixelRect(QRect rect) {
    settleGeometry(); // a pending size must not overwrite the one set now
    if (rect == rect_)
        return;
    const QRect old = rect_;
    rect_ = rect;
    geometryChanged();
    if (form_ && visible_)
        form_->repaintArea(old.united(rect_));
}

void Control::repaint() const {
    if (form_ && visible_)
        form_->repaintArea(pixelRect());
}

} // namespace forms
