#include "platform/forms/TextBox.h"

#include "platform/forms/Form.h"

#include <QWidget>

namespace forms {

void TextBox::setText(const QString& text) {
    if (text == Text())
        return;
    storeText(text);
    raiseChange();
}

void TextBox::setSelText(const QString& text) {
    if (text.isEmpty() && SelLength() == 0)
        return;
    replaceSelection(text);
    raiseChange();
}

void TextBox::setAccessibleName(const QString& name) {
    if (QWidget* w = widget())
        w->setAccessibleName(name);
}

void TextBox::raiseChange() {
    if (Change)
        Form::runHandler(Change);
}

MemoryTextBox::MemoryTextBox(QString name, QString text)
    : TextBox(std::move(name))
    , text_(std::move(text)) {}

void MemoryTextBox::setSelStart(qsizetype start) {
    selStart_ = std::clamp<qsizetype>(start, 0, text_.size());
    selLength_ = 0;
}

void MemoryTextBox::setSelLength(qsizetype length) {
    selLength_ = std::clamp<qsizetype>(length, 0, text_.size() - selStart_);
}

void MemoryTextBox::storeText(const QString& text) {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
}

void MemoryTextBox::replaceSelection(const QString& text) {
    text_.replace(selStart_, selLength_, text);
    selStart_ += text.size();
    selLength_ = 0;
}

} // namespace forms
