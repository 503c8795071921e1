#pragma once

#include "platform/forms/EditBuffer.h"
#include "platform/forms/EditLayout.h"
#include "platform/forms/Font.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QClipboard>
#include <QElapsedTimer>
#include <functional>

class QMenu;

namespace forms {

// An edit box that stays quick with any amount of text: typing, selection with mouse and keys,
// the clipboard (and the X selection), undo, input methods and the usual context menu. It lays
// out and paints only what is in view: a blinking caret repaints the caret alone, and a long run
// of insertions repaints at frame rate at most. Single-line boxes scroll sideways to follow the
// caret; multi-line ones wrap, break lines at CR LF and scroll up and down with a scroll bar.
class EditView : public QAbstractScrollArea {
    Q_OBJECT
public:
    EditView(const FontSpec& font, bool multiLine);
    ~EditView() override;

    const QString& text() const { return buffer_.text(); }
    const EditBuffer& buffer() const { return buffer_; }
    // The program's changes: no undo step, no userEdited.
    void setText(const QString& text);
    void insert(const QString& text);
    void select(qsizetype anchor, qsizetype caret);
    // Replaces text as the user's own edit would: undoable, and userEdited runs.
    void replaceAsUser(qsizetype from, qsizetype to, const QString& text);

    bool multiLine() const { return multiLine_; }
    // Where a character is drawn, and the position nearest a point, in the box's coordinates.
    QRect characterRect(qsizetype position);
    qsizetype positionAtPoint(QPoint point);

    // Runs after every change of the text that the user made.
    std::function<void()> userEdited;

    // The first row in view (multi-line) and the sideways scroll (single-line), in pixels.
    qsizetype topRow() const;
    int scrolledX() const { return scrollX_; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool event(QEvent* event) override;

private:
    // After any change: the layout forgets what changed; the view catches up within a frame.
    void changed(bool byUser);
    void settle();
    void scheduleSettle();
    void restartBlink();
    void ensureCaretVisible();
    void tellInputMethod();

    void userReplace(const QString& text);
    void moveCaret(qsizetype position, bool keepAnchor);
    bool editKey(QKeyEvent* event);
    bool moveKey(QKeyEvent* event);
    void copy() const;
    void paste(QClipboard::Mode mode);
    void publishSelection() const;
    QMenu* makeContextMenu();

    int textLeft() const;
    int textTop() const;
    int visibleRows() const;
    QRect caretRect();
    qsizetype positionAt(QPoint viewportPoint);
    void paintRow(QPainter& painter, qsizetype row, int y, const QRect& clip);

    EditBuffer buffer_;
    EditLayout layout_;
    QFont font_;
    int ascent_ = 0;
    bool multiLine_;
    int scrollX_ = 0;
    bool ignoreScroll_ = false;

    QBasicTimer blink_;
    bool caretShown_ = false;
    QBasicTimer settleTimer_;
    QElapsedTimer sinceSettle_;
    bool followCaret_ = false;
    bool selecting_ = false;

    QString preedit_;
    int preeditCursor_ = 0;
};

} // namespace forms
