#include "platform/forms/AccessibleForm.h"

#include "platform/forms/Form.h"
#include "platform/forms/Item.h"

#include <algorithm>

namespace forms {

namespace {

QAccessibleInterface* makeAccessibleForm(const QString&, QObject* object) {
    if (auto* form = qobject_cast<Form*>(object))
        return new AccessibleForm(form);
    return nullptr;
}

} // namespace

AccessibleForm::AccessibleForm(Form* form)
    : QAccessibleWidget(form, QAccessible::Window) {}

void AccessibleForm::installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(makeAccessibleForm);
        return true;
    }();
    (void)installed;
}

std::vector<QAccessibleInterface*> AccessibleForm::children() const {
    std::vector<QAccessibleInterface*> all;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
        all.push_back(QAccessibleWidget::child(i));
    for (Item* item : static_cast<const Form*>(widget())->items())
        if (item->exposed())
            all.push_back(item->accessibleInterface());
    std::erase(all, nullptr);
    std::stable_sort(all.begin(), all.end(), [](auto* a, auto* b) {
        const QRect ra = a->rect(), rb = b->rect();
        return std::pair(ra.top(), ra.left()) < std::pair(rb.top(), rb.left());
    });
    return all;
}

int AccessibleForm::childCount() const {
    return int(children().size());
}

QAccessibleInterface* AccessibleForm::child(int index) const {
    const std::vector<QAccessibleInterface*> all = children();
    return index >= 0 && std::size_t(index) < all.size() ? all[std::size_t(index)] : nullptr;
}

int AccessibleForm::indexOfChild(const QAccessibleInterface* child) const {
    const std::vector<QAccessibleInterface*> all = children();
    const auto found = std::find(all.begin(), all.end(), child);
    return found == all.end() ? -1 : int(found - all.begin());
}

} // namespace forms
