#pragma once

#include "platform/forms/TextBox.h"

class QLineEdit;
class QPlainTextEdit;

namespace forms {

// A single-line text box on a line edit: Enter adds no line, the pointer over it is the arrow,
// and it has no border of its own.
class LineTextBox : public TextBox {
public:
    LineTextBox(QString name, QString text, const TextBoxStyle& style);
    ~LineTextBox() override;

    QString Text() const override;
    qsizetype SelStart() const override;
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override;
    void setSelLength(qsizetype length) override;
    QWidget* widget() const override;

protected:
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;
    void geometryChanged() override;
    void visibilityChanged() override;
    void attached() override;

private:
    QLineEdit* edit_;
};

// A multi-line text box with a vertical scroll bar and a flat one-pixel border. Its Text reads a
// line break as CR LF, as a classic edit control holds it.
class MultiLineTextBox : public TextBox {
public:
    MultiLineTextBox(QString name, QString text, const TextBoxStyle& style);
    ~MultiLineTextBox() override;

    QString Text() const override;
    qsizetype SelStart() const override;
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override;
    void setSelLength(qsizetype length) override;
    QWidget* widget() const override;

protected:
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;
    void geometryChanged() override;
    void visibilityChanged() override;
    void attached() override;

private:
    QPlainTextEdit* edit_;
    bool storing_ = false;
};

} // namespace forms
