#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace forms {

class Form;
class Item;

// What assistive technology sees of an exposed item: its role, its name, where it is on the
// screen and, for an item with mouse handlers, a press action that runs them as a click would.
// Qt's accessibility cache owns it; the item drops it when it goes.
class AccessibleItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleItem(Item& item, Form& form);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    Item& item_;
    QPointer<Form> form_;
};

} // namespace forms
