#pragma once

#include "platform/forms/TextBox.h"

#include <QElapsedTimer>
#include <memory>

class QLineEdit;
class QPlainTextEdit;

namespace forms {

// A text box shown by a widget of its own, a child of the form's window.
class WidgetTextBox : public TextBox {
public:
    ~WidgetTextBox() override;
    QWidget* widget() const override { return widget_; }

protected:
    WidgetTextBox(QString name, QWidget* widget);
    void geometryChanged() override;
    void visibilityChanged() override;
    void attached() override;

private:
    QWidget* widget_;
};

// A single-line text box on a line edit: Enter adds no line, the pointer over it is the arrow,
// and it has no border of its own.
class LineTextBox : public WidgetTextBox {
public:
    LineTextBox(QString name, QString text, const TextBoxStyle& style);

    QString Text() const override;
    qsizetype SelStart() const override;
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override;
    void setSelLength(qsizetype length) override;
    qsizetype caretPosition() const override;

protected:
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;

private:
    QLineEdit* edit_;
};

// A multi-line text box with a vertical scroll bar and a flat one-pixel border. Its Text reads a
// line break as CR LF, as a classic edit control holds it.
//
// Text inserted at the insertion point is gathered and handed to the widget in one go, at most a
// frame apart, so a long run of insertions does not re-lay out and repaint after each piece: the
// box repaints at frame rate at most. The gathered text always lands before anything can see or
// move the insertion point: a read of Text or the selection, and any mouse or key event on the
// box.
class MultiLineTextBox : public WidgetTextBox {
public:
    MultiLineTextBox(QString name, QString text, const TextBoxStyle& style);
    ~MultiLineTextBox() override;

    QString Text() const override;
    qsizetype SelStart() const override;
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override;
    void setSelLength(qsizetype length) override;

protected:
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;
    void geometryChanged() override;

private:
    class Flusher;
    void flush() const;

    QPlainTextEdit* edit_;
    std::unique_ptr<Flusher> flusher_;
    mutable QString pending_;
    static constexpr qint64 frameMs = 16;
    static constexpr qsizetype maxPending = 4096;
    QElapsedTimer clock_;
    qint64 lastFlush_ = 0;
    mutable bool storing_ = false;
};

} // namespace forms
