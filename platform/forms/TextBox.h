#pragma once

#include "platform/forms/Colour.h"
#include "platform/forms/Control.h"
#include "platform/forms/Font.h"
#include "platform/forms/Keys.h"

#include <QString>

class QWidget;

namespace forms {

// A text box. Its change event runs synchronously, nested inside whatever changed the text, and
// only when the text really changes: assigning the text it already holds raises nothing. There is
// no length limit.
class TextBox : public Control {
public:
    using Control::Control;

    virtual QString Text() const = 0;
    void setText(const QString& text);
    virtual qsizetype SelStart() const = 0;
    virtual void setSelStart(qsizetype start) = 0;
    virtual qsizetype SelLength() const = 0;
    virtual void setSelLength(qsizetype length) = 0;
    // Replaces the selection with text and leaves the insertion point after it.
    void setSelText(const QString& text);
    // Where the caret is: the end of the selection that moves, or the insertion point.
    virtual qsizetype caretPosition() const { return SelStart() + SelLength(); }

    // The name a screen reader gives the box; nothing on the screen shows it.
    void setAccessibleName(const QString& name);

    // The box's widget, or null for a box that only holds text.
    virtual QWidget* widget() const { return nullptr; }

    Handler Change;
    Handler GotFocus;
    // A key goes down in the box, before the box handles it (auto-repeat raises it again); and
    // comes up, once the box has handled it.
    KeyHandler KeyDown;
    KeyHandler KeyUp;

protected:
    virtual void storeText(const QString& text) = 0;
    virtual void replaceSelection(const QString& text) = 0;
    // Runs the change event; boxes with widgets call it when the user edits.
    void raiseChange();
};

// A text box with no widget: holds text for measuring and is never seen.
class MemoryTextBox : public TextBox {
public:
    MemoryTextBox(QString name, QString text);

    QString Text() const override { return text_; }
    qsizetype SelStart() const override { return selStart_; }
    void setSelStart(qsizetype start) override;
    qsizetype SelLength() const override { return selLength_; }
    void setSelLength(qsizetype length) override;

protected:
    void storeText(const QString& text) override;
    void replaceSelection(const QString& text) override;

private:
    QString text_;
    qsizetype selStart_ = 0;
    qsizetype selLength_ = 0;
};

// How a visible text box looks.
struct TextBoxStyle {
    FontSpec font;
    OleColor backColor = systemWindowBackground;
    OleColor foreColor = systemWindowText;
};

} // namespace forms
