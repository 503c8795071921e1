#include "platform/forms/WidgetTextBoxes.h"

#include "platform/forms/Form.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <limits>

namespace forms {

namespace {

void applyStyle(QWidget* w, const TextBoxStyle& style) {
    w->setFont(makeFont(style.font));
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, toQColor(style.backColor));
    palette.setColor(QPalette::Text, toQColor(style.foreColor));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

QString withCrLf(QString text) {
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

WidgetTextBox::WidgetTextBox(QString name, QWidget* widget)
    : TextBox(std::move(name))
    , widget_(widget) {}

WidgetTextBox::~WidgetTextBox() {
    // Once on the form, the form's window owns the widget.
    if (!widget_->parent())
        delete widget_;
}

void WidgetTextBox::geometryChanged() {
    widget_->setGeometry(pixelRect());
}
void WidgetTextBox::visibilityChanged() {
    widget_->setVisible(Visible());
}
void WidgetTextBox::attached() {
    widget_->setParent(form());
    form()->adopt(*this);
}

LineTextBox::LineTextBox(QString name, QString text, const TextBoxStyle& style)
    : WidgetTextBox(std::move(name), new QLineEdit)
    , edit_(static_cast<QLineEdit*>(widget())) {
    edit_->setObjectName(this->name());
    edit_->setMaxLength(std::numeric_limits<int>::max());
    edit_->setFrame(false);
    // The box is exactly one line of its font high: no inner margins.
    edit_->setTextMargins(-2, -1, 0, -1);
    edit_->setContentsMargins(0, 0, 0, 0);
    edit_->setCursor(Qt::ArrowCursor);
    edit_->setMouseTracking(true);
    applyStyle(edit_, style);
    edit_->setText(text);
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this] { raiseChange(); });
}

QString LineTextBox::Text() const {
    return edit_->text();
}
qsizetype LineTextBox::SelStart() const {
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}
void LineTextBox::setSelStart(qsizetype start) {
    edit_->setCursorPosition(int(std::clamp<qsizetype>(start, 0, edit_->text().size())));
}
qsizetype LineTextBox::SelLength() const {
    return edit_->selectionLength();
}
void LineTextBox::setSelLength(qsizetype length) {
    const qsizetype start = SelStart();
    length = std::clamp<qsizetype>(length, 0, edit_->text().size() - start);
    edit_->setSelection(int(start), int(length));
}
qsizetype LineTextBox::caretPosition() const {
    return edit_->cursorPosition();
}
void LineTextBox::storeText(const QString& text) {
    edit_->setText(text);
    edit_->setCursorPosition(0);
}
void LineTextBox::replaceSelection(const QString& text) {
    edit_->insert(text);
}

// Lands gathered text before the box handles anything that could see or move it.
class MultiLineTextBox::Flusher : public QObject {
public:
    explicit Flusher(const MultiLineTextBox& box)
        : box_(box) {}
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Wheel:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::ContextMenu:
        case QEvent::ShortcutOverride:
            box_.flush();
            break;
        default:
            break;
        }
        return false;
    }

private:
    const MultiLineTextBox& box_;
};

MultiLineTextBox::MultiLineTextBox(QString name, QString text, const TextBoxStyle& style)
    : WidgetTextBox(std::move(name), new QPlainTextEdit)
    , edit_(static_cast<QPlainTextEdit*>(widget()))
    , flusher_(std::make_unique<Flusher>(*this)) {
    clock_.start();
    edit_->installEventFilter(flusher_.get());
    edit_->viewport()->installEventFilter(flusher_.get());
    edit_->setObjectName(this->name());
    edit_->setFrameStyle(QFrame::Box | QFrame::Plain);
    edit_->setLineWidth(1);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setTabChangesFocus(true);
    edit_->document()->setDocumentMargin(1);
    edit_->viewport()->setMouseTracking(true);
    applyStyle(edit_, style);
    edit_->viewport()->setAutoFillBackground(true);
    edit_->setPlainText(text);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] {
        if (!storing_)
            raiseChange();
    });
}

MultiLineTextBox::~MultiLineTextBox() {
    edit_->removeEventFilter(flusher_.get());
    edit_->viewport()->removeEventFilter(flusher_.get());
}

void MultiLineTextBox::flush() const {
    if (pending_.isEmpty())
        return;
    const QString text = std::exchange(pending_, QString());
    storing_ = true;
    QTextCursor cursor = edit_->textCursor();
    cursor.insertText(text);
    edit_->setTextCursor(cursor);
    storing_ = false;
}

QString MultiLineTextBox::Text() const {
    flush();
    return withCrLf(edit_->toPlainText());
}
// Positions count the document's characters, where a line break is one.
qsizetype MultiLineTextBox::SelStart() const {
    flush();
    return edit_->textCursor().selectionStart();
}
void MultiLineTextBox::setSelStart(qsizetype start) {
    flush();
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(
        int(std::clamp<qsizetype>(start, 0, edit_->document()->characterCount() - 1)));
    edit_->setTextCursor(cursor);
}
qsizetype MultiLineTextBox::SelLength() const {
    flush();
    const QTextCursor cursor = edit_->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}
void MultiLineTextBox::setSelLength(qsizetype length) {
    flush();
    QTextCursor cursor = edit_->textCursor();
    const int start = cursor.selectionStart();
    const int last = edit_->document()->characterCount() - 1;
    cursor.setPosition(start);
    cursor.setPosition(int(std::clamp<qsizetype>(start + length, start, last)),
                       QTextCursor::KeepAnchor);
    edit_->setTextCursor(cursor);
}
void MultiLineTextBox::storeText(const QString& text) {
    pending_.clear();
    storing_ = true;
    edit_->setPlainText(text);
    storing_ = false;
}
void MultiLineTextBox::replaceSelection(const QString& text) {
    if (edit_->textCursor().hasSelection())
        flush();
    pending_ += text;
    // Hand over at frame rate, and in pieces small enough that the widget takes them in well
    // under a frame, so the box keeps repainting while a long run of insertions goes on.
    if (edit_->textCursor().hasSelection() || pending_.size() >= maxPending ||
        clock_.elapsed() - lastFlush_ >= frameMs) {
        flush();
        lastFlush_ = clock_.elapsed();
    }
}
void MultiLineTextBox::geometryChanged() {
    WidgetTextBox::geometryChanged();
    // Text that fits but for the empty line after its last line break shows from its first
    // line, as a box sized to its text should.
    QScrollBar* bar = edit_->verticalScrollBar();
    if (bar->maximum() <= 1)
        bar->setValue(0);
}

} // namespace forms
