#include "platform/forms/EditAccessible.h"

#include "platform/forms/EditView.h"

namespace forms {

namespace {

QAccessibleInterface* forEditView(const QString&, QObject* object) {
    if (auto* view = qobject_cast<EditView*>(object))
        return new EditAccessible(view);
    return nullptr;
}

} // namespace

EditAccessible::EditAccessible(EditView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void EditAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(forEditView);
        return true;
    }();
    (void)installed;
}

EditView* EditAccessible::view() const {
    return static_cast<EditView*>(widget());
}

void* EditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString EditAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return view()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State EditAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.selectableText = true;
    s.multiLine = view()->multiLine();
    return s;
}

void EditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const EditBuffer& b = view()->buffer();
    const bool any = selectionIndex == 0 && b.hasSelection();
    *startOffset = any ? int(b.selectionStart()) : 0;
    *endOffset = any ? int(b.selectionEnd()) : 0;
}
int EditAccessible::selectionCount() const {
    return view()->buffer().hasSelection() ? 1 : 0;
}
void EditAccessible::addSelection(int startOffset, int endOffset) {
    view()->select(startOffset, endOffset);
}
void EditAccessible::removeSelection(int) {
    view()->select(view()->buffer().caret(), view()->buffer().caret());
}
void EditAccessible::setSelection(int, int startOffset, int endOffset) {
    view()->select(startOffset, endOffset);
}
int EditAccessible::cursorPosition() const {
    return int(view()->buffer().caret());
}
void EditAccessible::setCursorPosition(int position) {
    view()->select(position, position);
}
QString EditAccessible::text(int startOffset, int endOffset) const {
    return view()->text().mid(startOffset, endOffset - startOffset);
}
int EditAccessible::characterCount() const {
    return int(view()->text().size());
}
QRect EditAccessible::characterRect(int offset) const {
    const QRect r = view()->characterRect(offset);
    return QRect(view()->mapToGlobal(r.topLeft()), r.size());
}
int EditAccessible::offsetAtPoint(const QPoint& point) const {
    return int(view()->positionAtPoint(view()->mapFromGlobal(point)));
}
void EditAccessible::scrollToSubstring(int startIndex, int) {
    view()->select(startIndex, startIndex);
}
QString EditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

void EditAccessible::deleteText(int startOffset, int endOffset) {
    view()->replaceAsUser(startOffset, endOffset, {});
}
void EditAccessible::insertText(int offset, const QString& text) {
    view()->replaceAsUser(offset, offset, text);
}
void EditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    view()->replaceAsUser(startOffset, endOffset, text);
}

} // namespace forms
