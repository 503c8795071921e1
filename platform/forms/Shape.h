#pragma once

#include "platform/forms/Colour.h"
#include "platform/forms/Item.h"

namespace forms {

// A rounded rectangle with a one-pixel outline and a solid fill. It takes no mouse events: the
// pointer over it belongs to whatever lies beneath.
class Shape : public Item {
public:
    Shape(QString name, OleColor outline, OleColor fill, int cornerRadius = 6);
    bool takesMouse() const override { return false; }
    void paint(QPainter& painter) const override;

private:
    OleColor outline_;
    OleColor fill_;
    int radius_;
};

} // namespace forms
