// What an edit box does with keys, the mouse, input methods, the clipboard and its context menu.
#include "platform/forms/EditView.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

namespace forms {

namespace {

// Input methods see this much text either side of the insertion point, however long the text.
constexpr qsizetype surroundingReach = 1024;

bool isEditingKey(QKeyEvent* e) {
    for (const auto key :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
          QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Delete,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord,
          QKeySequence::MoveToStartOfLine, QKeySequence::MoveToEndOfLine,
          QKeySequence::SelectStartOfLine, QKeySequence::SelectEndOfLine,
          QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
          QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument})
        if (e->matches(key))
            return true;
    return e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Left || e->key() == Qt::Key_Right;
}

QString withCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

bool EditView::editKey(QKeyEvent* e) {
    const qsizetype caret = buffer_.caret();
    if (e->matches(QKeySequence::Undo)) {
        buffer_.undo();
        changed(true);
    } else if (e->matches(QKeySequence::Redo)) {
        buffer_.redo();
        changed(true);
    } else if (e->matches(QKeySequence::Cut)) {
        copy();
        userReplace({});
    } else if (e->matches(QKeySequence::Copy)) {
        copy();
    } else if (e->matches(QKeySequence::Paste)) {
        paste(QClipboard::Clipboard);
    } else if (e->matches(QKeySequence::SelectAll)) {
        select(0, buffer_.size());
        publishSelection();
    } else if (e->matches(QKeySequence::DeleteEndOfWord) && !buffer_.hasSelection()) {
        buffer_.select(caret, buffer_.nextWord(caret));
        userReplace({});
    } else if (e->matches(QKeySequence::DeleteStartOfWord) && !buffer_.hasSelection()) {
        buffer_.select(buffer_.previousWord(caret), caret);
        userReplace({});
    } else if (e->matches(QKeySequence::Delete) || e->matches(QKeySequence::DeleteEndOfWord) ||
               e->matches(QKeySequence::DeleteStartOfWord)) {
        if (!buffer_.hasSelection())
            buffer_.select(caret, buffer_.nextCharacter(caret));
        userReplace({});
    } else if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~Qt::ShiftModifier)) {
        if (!buffer_.hasSelection())
            buffer_.select(buffer_.previousCharacter(caret), caret);
        userReplace({});
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (!multiLine_)
            return false; // a single line takes no line break
        userReplace(QStringLiteral("\r\n"));
    } else {
        return false;
    }
    return true;
}

bool EditView::moveKey(QKeyEvent* e) {
    using K = QKeySequence;
    const QString& t = text();
    const qsizetype caret = buffer_.caret();
    const qsizetype row = layout_.rowOf(t, caret);
    const auto rowMove = [&](qsizetype rows) {
        const qsizetype target = std::clamp<qsizetype>(row + rows, 0, layout_.rowCount(t) - 1);
        return layout_.positionAt(t, target, layout_.x(t, caret));
    };
    struct Move {
        K::StandardKey move, select;
        std::function<qsizetype()> to;
    };
    const Move moves[] = {
        {K::MoveToNextChar, K::SelectNextChar, [&] { return buffer_.nextCharacter(caret); }},
        {K::MoveToPreviousChar, K::SelectPreviousChar,
         [&] { return buffer_.previousCharacter(caret); }},
        {K::MoveToNextWord, K::SelectNextWord, [&] { return buffer_.nextWord(caret); }},
        {K::MoveToPreviousWord, K::SelectPreviousWord, [&] { return buffer_.previousWord(caret); }},
        {K::MoveToStartOfLine, K::SelectStartOfLine, [&] { return layout_.rowStart(t, row); }},
        {K::MoveToEndOfLine, K::SelectEndOfLine, [&] { return layout_.rowEnd(t, row); }},
        {K::MoveToStartOfBlock, K::SelectStartOfBlock, [&] { return layout_.rowStart(t, row); }},
        {K::MoveToEndOfBlock, K::SelectEndOfBlock, [&] { return layout_.rowEnd(t, row); }},
        {K::MoveToStartOfDocument, K::SelectStartOfDocument, [] { return qsizetype(0); }},
        {K::MoveToEndOfDocument, K::SelectEndOfDocument, [&] { return buffer_.size(); }},
        {K::MoveToNextLine, K::SelectNextLine, [&] { return rowMove(1); }},
        {K::MoveToPreviousLine, K::SelectPreviousLine, [&] { return rowMove(-1); }},
        {K::MoveToNextPage, K::SelectNextPage, [&] { return rowMove(visibleRows()); }},
        {K::MoveToPreviousPage, K::SelectPreviousPage, [&] { return rowMove(-visibleRows()); }},
    };
    for (const Move& m : moves) {
        const bool selecting = e->matches(m.select);
        if (!selecting && !e->matches(m.move))
            continue;
        if (!multiLine_ && (m.move == K::MoveToNextLine || m.move == K::MoveToPreviousLine ||
                            m.move == K::MoveToNextPage || m.move == K::MoveToPreviousPage))
            return false;
        // A plain Left or Right with a selection goes to the selection's edge.
        if (!selecting && buffer_.hasSelection() && m.move == K::MoveToNextChar)
            moveCaret(buffer_.selectionEnd(), false);
        else if (!selecting && buffer_.hasSelection() && m.move == K::MoveToPreviousChar)
            moveCaret(buffer_.selectionStart(), false);
        else
            moveCaret(m.to(), selecting);
        return true;
    }
    return false;
}

void EditView::keyPressEvent(QKeyEvent* e) {
    if (editKey(e) || moveKey(e)) {
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && !command && typed.front().unicode() >= 0x20 &&
        typed.front().unicode() != 0x7F) {
        userReplace(typed);
        e->accept();
        return;
    }
    e->ignore();
}

bool EditView::event(QEvent* e) {
    // Editing keys belong to the box, not to shortcuts of the window.
    if (e->type() == QEvent::ShortcutOverride && isEditingKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    // Mouse events sent to the box itself, rather than to its viewport, end here too, as they
    // would at any other widget; passed on, the form would see each of them twice.
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        viewportEvent(e);
        return true;
    default:
        return QAbstractScrollArea::event(e);
    }
}

void EditView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        moveCaret(positionAt(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
        selecting_ = true;
    }
    e->accept();
}

void EditView::mouseMoveEvent(QMouseEvent* e) {
    if (selecting_ && (e->buttons() & Qt::LeftButton))
        moveCaret(positionAt(e->position().toPoint()), true);
}

void EditView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && selecting_) {
        selecting_ = false;
        publishSelection();
    } else if (e->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        moveCaret(positionAt(e->position().toPoint()), false);
        paste(QClipboard::Selection);
    }
}

void EditView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    const qsizetype end = buffer_.nextWord(positionAt(e->position().toPoint()));
    select(buffer_.previousWord(end), end);
    publishSelection();
}

void EditView::copy() const {
    if (buffer_.hasSelection())
        QApplication::clipboard()->setText(buffer_.selectedText());
}

void EditView::paste(QClipboard::Mode mode) {
    const QString pasted = QApplication::clipboard()->text(mode);
    userReplace(multiLine_ ? withCrLf(pasted) : pasted);
}

void EditView::publishSelection() const {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && buffer_.hasSelection())
        clipboard->setText(buffer_.selectedText(), QClipboard::Selection);
}

QMenu* EditView::makeContextMenu() {
    auto* menu = new QMenu(this);
    // Qt's own words for these, so Qt's translation of them applies.
    const auto add = [&](const char* words, QKeySequence::StandardKey key, bool enabled,
                         std::function<void()> run) {
        QString label = QCoreApplication::translate("QLineEdit", words);
        const QString keys = QKeySequence(key).toString(QKeySequence::NativeText);
        if (!keys.isEmpty())
            label += u'\t' + keys;
        QAction* action = menu->addAction(label);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, this, std::move(run));
    };
    const bool selection = buffer_.hasSelection();
    add("&Undo", QKeySequence::Undo, buffer_.canUndo(), [this] {
        buffer_.undo();
        changed(true);
    });
    add("&Redo", QKeySequence::Redo, buffer_.canRedo(), [this] {
        buffer_.redo();
        changed(true);
    });
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, selection, [this] {
        copy();
        userReplace({});
    });
    add("&Copy", QKeySequence::Copy, selection, [this] { copy(); });
    add("&Paste", QKeySequence::Paste, !QApplication::clipboard()->text().isEmpty(),
        [this] { paste(QClipboard::Clipboard); });
    add("Delete", QKeySequence::UnknownKey, selection, [this] { userReplace({}); });
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, buffer_.size() > 0, [this] {
        select(0, buffer_.size());
        publishSelection();
    });
    return menu;
}

void EditView::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = makeContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

namespace {

qsizetype surroundingStart(const EditBuffer& buffer) {
    qsizetype start = std::max<qsizetype>(0, buffer.caret() - surroundingReach);
    while (start > 0 && continuesCharacter(buffer.text(), start))
        --start;
    return start;
}

} // namespace

void EditView::inputMethodEvent(QInputMethodEvent* e) {
    const qsizetype size = buffer_.size();
    if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
        if (e->replacementLength() > 0 || e->replacementStart() != 0) {
            const qsizetype from =
                std::clamp<qsizetype>(buffer_.caret() + e->replacementStart(), 0, size);
            buffer_.select(from, std::min(size, from + e->replacementLength()));
        }
        userReplace(e->commitString());
    }
    preedit_ = e->preeditString();
    preeditCursor_ = int(preedit_.size());
    const qsizetype offset = surroundingStart(buffer_);
    for (const QInputMethodEvent::Attribute& a : e->attributes()) {
        if (a.type == QInputMethodEvent::Cursor)
            preeditCursor_ = std::clamp(a.start, 0, int(preedit_.size()));
        else if (a.type == QInputMethodEvent::Selection && preedit_.isEmpty())
            select(offset + a.start, offset + a.start + a.length);
    }
    viewport()->update();
    tellInputMethod();
    e->accept();
}

QVariant EditView::inputMethodQuery(Qt::InputMethodQuery query) const {
    const EditBuffer& b = buffer_;
    const qsizetype start = surroundingStart(b);
    const qsizetype end = std::min(b.size(), b.caret() + surroundingReach);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return const_cast<EditView*>(this)->caretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font_;
    case Qt::ImCursorPosition:
        return int(b.caret() - start);
    case Qt::ImAnchorPosition:
        return int(std::clamp(b.anchor(), start, end) - start);
    case Qt::ImSurroundingText:
        return b.text().mid(start, end - start);
    case Qt::ImTextBeforeCursor:
        return b.text().mid(start, b.caret() - start);
    case Qt::ImTextAfterCursor:
        return b.text().mid(b.caret(), end - b.caret());
    case Qt::ImCurrentSelection:
        return b.selectedText();
    case Qt::ImAbsolutePosition:
        return b.caret();
    case Qt::ImMaximumTextLength:
        return QVariant();
    case Qt::ImHints:
        return int(multiLine_ ? Qt::ImhMultiLine : Qt::ImhNone);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace forms
