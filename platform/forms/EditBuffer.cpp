#include "platform/forms/EditBuffer.h"

#include "platform/codepage/Utf16.h"

#include <algorithm>

namespace forms {

namespace {

char32_t codePointAt(QStringView text, qsizetype i) {
    if (codepage::isSurrogatePairAt(text, i))
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

bool isWordUnit(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c.isMark() || c.isSurrogate();
}

} // namespace

bool continuesCharacter(QStringView text, qsizetype i) {
    if (i <= 0 || i >= text.size())
        return false;
    const char16_t c = text[i].unicode();
    if (text[i - 1].unicode() == 0x200D)
        return true; // joined by a zero-width joiner
    if (c == u'\n')
        return text[i - 1] == u'\r'; // CR LF is one line break
    if (c < 0x0300)
        return false;
    if (QChar::isLowSurrogate(c))
        return codepage::isSurrogatePairAt(text, i - 1);
    const char32_t code = codePointAt(text, i);
    switch (QChar::category(code)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        break;
    }
    return code == 0x200D || (code >= 0xFE00 && code <= 0xFE0F) ||
           (code >= 0x1F3FB && code <= 0x1F3FF) || (code >= 0xE0020 && code <= 0xE007F) ||
           (code >= 0xE0100 && code <= 0xE01EF);
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
