#include "platform/forms/EditView.h"

#include "platform/forms/EditAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QInputMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace forms {

namespace {

// At most one relayout and repaint a frame, however fast the text changes.
constexpr qint64 frameMs = 16;

// Characters that sit side by side at their own advances when drawn as a run: no kerning (it is
// off), no shaping, no joining and no reordering.
bool drawnAsRun(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0x2E80 && c < 0xA000) || (c >= 0xAC00 && c < 0xD7A4) ||
           (c >= 0xF900 && c < 0xFB00) || (c >= 0xFF00 && c < 0xFFF0);
}

} // namespace

EditView::EditView(const FontSpec& font, bool multiLine)
    : layout_(measureFor(font), multiLine)
    , font_(makeFont(font))
    , multiLine_(multiLine) {
    font_.setKerning(false);
    setFont(font_);
    ascent_ = QFontMetrics(font_).ascent();
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(multiLine ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(multiLine ? Qt::IBeamCursor : Qt::ArrowCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // The form follows the pointer over its text boxes.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    sinceSettle_.start();
    EditAccessible::install();
}

EditView::~EditView() = default;

void EditView::setText(const QString& text) {
    buffer_.setText(text);
    scrollX_ = 0;
    if (multiLine_) {
        ignoreScroll_ = true;
        verticalScrollBar()->setValue(0);
        ignoreScroll_ = false;
    }
    changed(false);
}

void EditView::insert(const QString& text) {
    buffer_.replaceSelection(text, EditBuffer::By::Program);
    changed(false);
}

void EditView::select(qsizetype anchor, qsizetype caret) {
    buffer_.select(anchor, caret);
    followCaret_ = true;
    restartBlink();
    scheduleSettle();
}

void EditView::replaceAsUser(qsizetype from, qsizetype to, const QString& text) {
    buffer_.select(from, to);
    userReplace(text);
}

QRect EditView::characterRect(qsizetype position) {
    const QString& t = text();
    position = std::clamp<qsizetype>(position, 0, t.size());
    const qsizetype row = layout_.rowOf(t, position);
    const int x = textLeft() + layout_.x(t, position) - scrollX_;
    const int y = textTop() + int(row - topRow()) * layout_.lineHeight();
    const int width = position < t.size() ? layout_.advance(t, position) : 0;
    return QRect(x, y, width, layout_.lineHeight()).translated(viewport()->pos());
}

qsizetype EditView::positionAtPoint(QPoint point) {
    return positionAt(point - viewport()->pos());
}

void EditView::userReplace(const QString& text) {
    if (text.isEmpty() && !buffer_.hasSelection())
        return;
    buffer_.replaceSelection(text, EditBuffer::By::User);
    changed(true);
}

void EditView::moveCaret(qsizetype position, bool keepAnchor) {
    buffer_.moveCaret(position, keepAnchor);
    followCaret_ = true;
    restartBlink();
    scheduleSettle();
    if (keepAnchor)
        publishSelection();
}

void EditView::changed(bool byUser) {
    layout_.invalidate(buffer_.takeChangedFrom());
    followCaret_ = true;
    restartBlink();
    scheduleSettle();
    if (byUser && userEdited)
        userEdited();
}

void EditView::scheduleSettle() {
    if (settleTimer_.isActive())
        return;
    const qint64 wait = std::max<qint64>(0, frameMs - sinceSettle_.elapsed());
    settleTimer_.start(int(wait), this);
}

// Brings the scroll bar and the scroll position up to date with the text and repaints.
void EditView::settle() {
    settleTimer_.stop();
    sinceSettle_.restart();
    if (multiLine_) {
        const qsizetype rows = layout_.rowCount(text());
        ignoreScroll_ = true;
        QScrollBar* bar = verticalScrollBar();
        bar->setRange(0, int(std::max<qsizetype>(0, rows - visibleRows())));
        bar->setPageStep(std::max(1, visibleRows()));
        ignoreScroll_ = false;
    }
    if (std::exchange(followCaret_, false))
        ensureCaretVisible();
    viewport()->update();
    tellInputMethod();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, int(buffer_.caret()));
        QAccessible::updateAccessibility(&moved);
    }
}

void EditView::ensureCaretVisible() {
    const QString& t = text();
    if (multiLine_) {
        const qsizetype row = layout_.rowOf(t, buffer_.caret());
        QScrollBar* bar = verticalScrollBar();
        if (row < bar->value())
            bar->setValue(int(row));
        else if (row >= bar->value() + visibleRows())
            bar->setValue(int(row - visibleRows() + 1));
        return;
    }
    const int x = layout_.x(t, buffer_.caret());
    const int width = viewport()->width() - textLeft();
    if (x < scrollX_)
        scrollX_ = x;
    else if (x >= scrollX_ + width)
        scrollX_ = x - width + 1;
}

qsizetype EditView::topRow() const {
    return multiLine_ ? verticalScrollBar()->value() : 0;
}

void EditView::scrollContentsBy(int, int) {
    if (!ignoreScroll_)
        viewport()->update();
}

int EditView::textLeft() const {
    return multiLine_ ? 1 : 0;
}
int EditView::textTop() const {
    return multiLine_ ? 1 : 0;
}
int EditView::visibleRows() const {
    return std::max(0, (viewport()->height() - 2 * textTop()) / layout_.lineHeight());
}

void EditView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (multiLine_)
        layout_.setWrapWidth(viewport()->width() - 2 * textLeft());
    settle();
}

void EditView::restartBlink() {
    caretShown_ = hasFocus();
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        blink_.start(flash / 2, this);
    else
        blink_.stop();
    // The repaint that follows every change or move shows the caret; placing it here, once per
    // change, would cost a measure per inserted piece.
}

void EditView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blink_.timerId()) {
        caretShown_ = !caretShown_;
        viewport()->update(caretRect());
    } else if (event->timerId() == settleTimer_.timerId()) {
        settle();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void EditView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void EditView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    blink_.stop();
    caretShown_ = false;
    if (event->reason() != Qt::PopupFocusReason)
        preedit_.clear();
    viewport()->update();
}

QRect EditView::caretRect() {
    const QString& t = text();
    const qsizetype row = layout_.rowOf(t, buffer_.caret());
    const int x = textLeft() + layout_.x(t, buffer_.caret()) - scrollX_;
    const int y = textTop() + int(row - topRow()) * layout_.lineHeight();
    return QRect(x - 1, y, 3, layout_.lineHeight());
}

qsizetype EditView::positionAt(QPoint p) {
    const QString& t = text();
    const qsizetype rows = layout_.rowCount(t);
    const qsizetype row =
        std::clamp<qsizetype>(topRow() + (p.y() - textTop()) / layout_.lineHeight(), 0, rows - 1);
    return layout_.positionAt(t, row, p.x() - textLeft() + scrollX_);
}

void EditView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect clip = event->rect();
    painter.fillRect(clip, palette().color(QPalette::Base));
    painter.setFont(font_);
    const int lineHeight = layout_.lineHeight();
    const qsizetype rows = layout_.rowCount(text());
    const qsizetype first = topRow() + std::max(0, clip.top() - textTop()) / lineHeight;
    for (qsizetype row = first; row < rows; ++row) {
        const int y = textTop() + int(row - topRow()) * lineHeight;
        if (y > clip.bottom())
            break;
        paintRow(painter, row, y, clip);
    }
    if (caretShown_ && hasFocus() && preedit_.isEmpty()) {
        const QRect caret = caretRect();
        painter.fillRect(caret.x() + 1, caret.y(), 1, caret.height(),
                         palette().color(QPalette::Text));
    }
    if (!preedit_.isEmpty()) {
        // The composition in progress, underlined over the text at the insertion point.
        const QRect caret = caretRect();
        const QRect box(caret.x() + 1, caret.y(), painter.fontMetrics().horizontalAdvance(preedit_),
                        lineHeight);
        painter.fillRect(box, palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(box.x(), box.y() + ascent_, preedit_);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        const int cursorX =
            box.x() + painter.fontMetrics().horizontalAdvance(preedit_.left(preeditCursor_));
        painter.fillRect(cursorX, box.y(), 1, lineHeight, palette().color(QPalette::Text));
    }
}

// Draws the characters of one row that fall inside the clip, with the selection highlighted.
void EditView::paintRow(QPainter& painter, qsizetype row, int y, const QRect& clip) {
    const QString& t = text();
    const qsizetype end = layout_.rowEnd(t, row);
    const int left = textLeft() - scrollX_;
    qsizetype i = layout_.positionAt(t, row, clip.left() - left - 64);
    if (i > layout_.rowStart(t, row))
        i = buffer_.previousCharacter(i);
    int x = left + layout_.x(t, i);
    const qsizetype selStart = buffer_.selectionStart();
    const qsizetype selEnd = buffer_.selectionEnd();
    const QColor text = palette().color(QPalette::Text);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlighted = palette().color(QPalette::HighlightedText);

    QString run;
    int runX = x;
    bool runSelected = false;
    const auto flush = [&] {
        if (run.isEmpty())
            return;
        painter.setPen(runSelected ? highlighted : text);
        painter.drawText(runX, y + ascent_, run);
        run.clear();
    };
    while (i < end && x <= clip.right()) {
        qsizetype next = buffer_.nextCharacter(i);
        const int width = layout_.advance(t, i);
        const bool selected = i >= selStart && i < selEnd;
        if (selected)
            painter.fillRect(x, y, width, layout_.lineHeight(), highlight);
        const char16_t c = t[i].unicode();
        if (next == i + 1 && drawnAsRun(c) && (run.isEmpty() || selected == runSelected)) {
            if (run.isEmpty()) {
                runX = x;
                runSelected = selected;
            }
            run += QChar(c);
        } else {
            flush();
            if (next == i + 1 && drawnAsRun(c)) {
                runX = x;
                runSelected = selected;
                run += QChar(c);
            } else if (c != u' ') {
                painter.setPen(selected ? highlighted : text);
                painter.drawText(x, y + ascent_, EditLayout::shown(t, i, next - i));
            }
        }
        x += width;
        i = next;
    }
    flush();
    // A selected line break shows as a little room past the row's end.
    if (multiLine_ && end < t.size() && end >= selStart && end < selEnd && x <= clip.right())
        painter.fillRect(x, y, 4, layout_.lineHeight(), highlight);
}

void EditView::tellInputMethod() {
    if (hasFocus())
        QAbstractScrollArea::updateMicroFocus();
}

} // namespace forms
