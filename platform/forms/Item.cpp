#include "platform/forms/Item.h"

#include "platform/forms/AccessibleItem.h"
#include "platform/forms/Form.h"

namespace forms {

Item::~Item() {
    if (accessibleId_)
        QAccessible::deleteAccessibleInterface(accessibleId_);
}

void Item::expose(QAccessible::Role role, QString name) {
    role_ = role;
    name_ = std::move(name);
}

QAccessibleInterface* Item::accessibleInterface() {
    if (!form())
        return nullptr;
    if (!accessibleId_)
        accessibleId_ =
            QAccessible::registerAccessibleInterface(new AccessibleItem(*this, *form()));
    return QAccessible::accessibleInterface(accessibleId_);
}

// Only an interface that assistive technology has been handed can have listeners.
void Item::textChanged() const {
    if (!accessibleId_ || !name_.isNull())
        return;
    QAccessibleEvent event(QAccessible::accessibleInterface(accessibleId_),
                           QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Item::visibilityChanged() {
    if (!accessibleId_)
        return;
    QAccessible::State changed;
    changed.invisible = true;
    changed.offscreen = true;
    QAccessibleStateChangeEvent event(QAccessible::accessibleInterface(accessibleId_), changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace forms
