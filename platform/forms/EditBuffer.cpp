#include "platform/forms/EditBuffer.h"

#include "platform/forms/Graphemes.h"

#include <algorithm>

namespace forms {

namespace {

bool isWordUnit(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c.isMark() || c.isSurrogate();
}

} // namespace

bool continuesCharacter(QStringView text, qsizetype i) {
    if (i <= 0 || i >= text.size())
        return false;
    if (text[i] == u'\n')
        return text[i - 1] == u'\r'; // CR LF is one line break
    return !graphemes::startsAt(text, i);
}

QString EditBuffer::selectedText() const {
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

void EditBuffer::setText(const QString& text) {
    text_ = text;
    caret_ = anchor_ = 0;
    history_.clear();
    done_ = 0;
    changedFrom_ = 0;
}

void EditBuffer::moveCaret(qsizetype position, bool keepAnchor) {
    caret_ = std::clamp<qsizetype>(position, 0, text_.size());
    if (!keepAnchor)
        anchor_ = caret_;
}

void EditBuffer::select(qsizetype anchor, qsizetype caret) {
    anchor_ = std::clamp<qsizetype>(anchor, 0, text_.size());
    caret_ = std::clamp<qsizetype>(caret, 0, text_.size());
}

void EditBuffer::apply(qsizetype at, qsizetype removeLength, const QString& insert) {
    text_.replace(at, removeLength, insert);
    caret_ = anchor_ = at + insert.size();
    changedFrom_ = std::min(changedFrom_, at);
}

void EditBuffer::replaceSelection(const QString& text, By by) {
    const qsizetype at = selectionStart();
    const qsizetype length = selectionEnd() - at;
    if (by == By::Program) {
        // Programs edit without leaving steps the user could undo into an unknown state.
        history_.clear();
        done_ = 0;
    } else {
        history_.resize(done_);
        const bool typing = length == 0 && text.size() <= 2;
        Edit* last = history_.empty() ? nullptr : &history_.back();
        if (typing && last && last->typing && last->at + last->inserted.size() == at) {
            last->inserted += text;
        } else {
            history_.push_back({at, text_.mid(at, length), text, typing});
            done_ = history_.size();
        }
    }
    apply(at, length, text);
}

void EditBuffer::undo() {
    if (!canUndo())
        return;
    const Edit& edit = history_[--done_];
    apply(edit.at, edit.inserted.size(), edit.removed);
    select(edit.at, edit.at + edit.removed.size());
}

void EditBuffer::redo() {
    if (!canRedo())
        return;
    const Edit& edit = history_[done_++];
    apply(edit.at, edit.removed.size(), edit.inserted);
}

qsizetype EditBuffer::previousCharacter(qsizetype position) const {
    qsizetype i = std::clamp<qsizetype>(position, 0, text_.size());
    if (i == 0)
        return 0;
    --i;
    while (i > 0 && continuesCharacter(text_, i))
        --i;
    return i;
}

qsizetype EditBuffer::nextCharacter(qsizetype position) const {
    qsizetype i = std::clamp<qsizetype>(position, 0, text_.size());
    if (i == text_.size())
        return i;
    ++i;
    while (i < text_.size() && continuesCharacter(text_, i))
        ++i;
    return i;
}

qsizetype EditBuffer::previousWord(qsizetype position) const {
    qsizetype i = std::clamp<qsizetype>(position, 0, text_.size());
    while (i > 0 && !isWordUnit(text_[i - 1]))
        --i;
    while (i > 0 && isWordUnit(text_[i - 1]))
        --i;
    return i;
}

qsizetype EditBuffer::nextWord(qsizetype position) const {
    qsizetype i = std::clamp<qsizetype>(position, 0, text_.size());
    while (i < text_.size() && !isWordUnit(text_[i]))
        ++i;
    while (i < text_.size() && isWordUnit(text_[i]))
        ++i;
    return i;
}

qsizetype EditBuffer::takeChangedFrom() {
    return std::exchange(changedFrom_, text_.size());
}

} // namespace forms
