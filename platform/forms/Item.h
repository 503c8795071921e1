#pragma once

#include "platform/forms/Control.h"

class QPainter;

namespace forms {

// A windowless control: the form paints it on its own surface, in stacking order.
class Item : public Control {
public:
    using Control::Control;
    virtual void paint(QPainter& painter) const = 0;
};

} // namespace forms
