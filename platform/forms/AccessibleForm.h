#pragma once

#include <QAccessibleWidget>

namespace forms {

class Form;

// What assistive technology sees of a form: a window holding its text boxes' widgets, as Qt
// shows them, and its exposed items, in reading order (top to bottom, then left to right). The
// rest of what the form paints (frames, backdrops, controls used only for measuring) stays out.
class AccessibleForm : public QAccessibleWidget {
public:
    explicit AccessibleForm(Form* form);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Makes every form show itself so; runs once, whoever calls it.
    static void installFactory();

private:
    std::vector<QAccessibleInterface*> children() const;
};

} // namespace forms
