#pragma once

#include "platform/forms/TextBox.h"

namespace forms {

class EditView;

// A text box shown by a widget of its own, a child of the form's window.
class WidgetTextBox : public TextBox {
public:
    ~WidgetTextBox() override;
    QWidget* widget() const override;

    QString Text() const override;
    qsizetype SelStart() const override;
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override;
    void setSelLength(qsizetype length) override;
    qsizetype caretPosition() const override;

protected:
    WidgetTextBox(QString name, QString text, const TextBoxStyle& style, bool multiLine);
    void geometryChanged() override;
    void visibilityChanged() override;
    void attached() override;
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;

    EditView* view_;
};

// A single-line text box: Enter adds no line, the pointer over it is the arrow, and it has no
// border of its own.
class LineTextBox : public WidgetTextBox {
public:
    LineTextBox(QString name, QString text, const TextBoxStyle& style);
};

// A multi-line text box with a vertical scroll bar and a flat one-pixel border. A line break is
// CR LF, as a classic edit control holds it; a lone CR or LF is a character like any other.
class MultiLineTextBox : public WidgetTextBox {
public:
    MultiLineTextBox(QString name, QString text, const TextBoxStyle& style);

protected:
    void geometryChanged() override;
};

} // namespace forms
