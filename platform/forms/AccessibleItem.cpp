#include "platform/forms/AccessibleItem.h"

#include "platform/forms/Form.h"
#include "platform/forms/Item.h"

namespace forms {

AccessibleItem::AccessibleItem(Item& item, Form& form)
    : item_(item)
    , form_(&form) {}

bool AccessibleItem::isValid() const {
    return !form_.isNull();
}

QWindow* AccessibleItem::window() const {
    return form_ ? form_->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleItem::parent() const {
    return form_ ? QAccessible::queryAccessibleInterface(form_.data()) : nullptr;
}

QString AccessibleItem::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? item_.accessibleName() : QString();
}

QRect AccessibleItem::rect() const {
    if (!form_)
        return {};
    const QRect r = item_.pixelRect();
    return QRect(form_->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role AccessibleItem::role() const {
    return item_.accessibleRole();
}

QAccessible::State AccessibleItem::state() const {
    QAccessible::State state;
    state.invisible = !item_.Visible() || !form_ || !form_->isVisible();
    state.offscreen = state.invisible;
    state.linked = role() == QAccessible::Link;
    return state;
}

void* AccessibleItem::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibleItem::actionNames() const {
    if (item_.MouseDown || item_.MouseUp || item_.Click)
        return {pressAction()};
    return {};
}

void AccessibleItem::doAction(const QString& actionName) {
    if (form_ && actionName == pressAction() && !actionNames().isEmpty())
        form_->pressAndRelease(item_);
}

} // namespace forms
