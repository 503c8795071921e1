#include "platform/forms/WidgetTextBoxes.h"

#include "platform/forms/EditView.h"
#include "platform/forms/Form.h"

#include <QScrollBar>

namespace forms {

WidgetTextBox::WidgetTextBox(QString name, QString text, const TextBoxStyle& style, bool multiLine)
    : TextBox(std::move(name))
    , view_(new EditView(style.font, multiLine)) {
    view_->setObjectName(this->name());
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, toQColor(style.backColor));
    palette.setColor(QPalette::Text, toQColor(style.foreColor));
    view_->setPalette(palette);
    view_->setText(text);
    view_->userEdited = [this] { raiseChange(); };
}

WidgetTextBox::~WidgetTextBox() {
    // Once on the form, the form's window owns the widget.
    if (!view_->parent())
        delete view_;
}

QWidget* WidgetTextBox::widget() const {
    return view_;
}

void WidgetTextBox::geometryChanged() {
    view_->setGeometry(pixelRect());
}
void WidgetTextBox::visibilityChanged() {
    view_->setVisible(Visible());
}
void WidgetTextBox::attached() {
    view_->setParent(form());
    form()->adopt(*this);
}

QString WidgetTextBox::Text() const {
    return view_->text();
}
qsizetype WidgetTextBox::SelStart() const {
    return view_->buffer().selectionStart();
}
void WidgetTextBox::setSelStart(qsizetype start) {
    start = std::clamp<qsizetype>(start, 0, view_->text().size());
    view_->select(start, start);
}
qsizetype WidgetTextBox::SelLength() const {
    return view_->buffer().selectionEnd() - view_->buffer().selectionStart();
}
void WidgetTextBox::setSelLength(qsizetype length) {
    const qsizetype start = SelStart();
    length = std::clamp<qsizetype>(length, 0, view_->text().size() - start);
    view_->select(start, start + length);
}
qsizetype WidgetTextBox::caretPosition() const {
    return view_->buffer().caret();
}
void WidgetTextBox::storeText(const QString& text) {
    view_->setText(text);
}
void WidgetTextBox::replaceSelection(const QString& text) {
    view_->insert(text);
}

LineTextBox::LineTextBox(QString name, QString text, const TextBoxStyle& style)
    : WidgetTextBox(std::move(name), std::move(text), style, false) {
    view_->setFrameStyle(QFrame::NoFrame);
}

MultiLineTextBox::MultiLineTextBox(QString name, QString text, const TextBoxStyle& style)
    : WidgetTextBox(std::move(name), std::move(text), style, true) {
    view_->setFrameStyle(QFrame::Box | QFrame::Plain);
    view_->setLineWidth(1);
}

void MultiLineTextBox::geometryChanged() {
    WidgetTextBox::geometryChanged();
    // Text that fits but for the empty line after its last line break shows from its first
    // line, as a box sized to its text should.
    QScrollBar* bar = view_->verticalScrollBar();
    if (bar->maximum() <= 1)
        bar->setValue(0);
}

} // namespace forms
