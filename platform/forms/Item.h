#pragma once

#include "platform/forms/Control.h"

#include <QAccessible>

class QPainter;

namespace forms {

// A windowless control: the form paints it on its own surface, in stacking order.
//
// Being painted, an item is unseen by assistive technology unless it is exposed: then the form
// shows it to a screen reader with a role and a name, the item's text when no name is given.
class Item : public Control {
public:
    using Control::Control;
    ~Item() override;
    virtual void paint(QPainter& painter) const = 0;

    void expose(QAccessible::Role role, QString name = {});
    bool exposed() const { return role_ != QAccessible::NoRole; }
    QAccessible::Role accessibleRole() const { return role_; }
    QString accessibleName() const { return name_.isNull() ? text() : name_; }
    // What the item shows as text; nothing for a picture or a shape.
    virtual QString text() const { return {}; }
    // The item's interface, made when first asked for; null before the item is on a form.
    QAccessibleInterface* accessibleInterface();

protected:
    // Tells assistive technology that the text, and so perhaps the name, has changed.
    void textChanged() const;
    void visibilityChanged() override;

private:
    QAccessible::Role role_ = QAccessible::NoRole;
    QString name_;
    QAccessible::Id accessibleId_ = 0;
};

} // namespace forms
