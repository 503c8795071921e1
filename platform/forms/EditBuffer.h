#pragma once

#include <QString>
#include <vector>

namespace forms {

// The text of an edit box with its insertion point, selection and undo history. Positions count
// UTF-16 units; the insertion point only ever rests between whole characters (a surrogate pair,
// a character with its combining marks, an emoji sequence).
class EditBuffer {
public:
    const QString& text() const { return text_; }
    qsizetype size() const { return text_.size(); }

    // The insertion point is the moving end of the selection; the anchor its fixed end.
    qsizetype caret() const { return caret_; }
    qsizetype anchor() const { return anchor_; }
    qsizetype selectionStart() const { return std::min(caret_, anchor_); }
    qsizetype selectionEnd() const { return std::max(caret_, anchor_); }
    bool hasSelection() const { return caret_ != anchor_; }
    QString selectedText() const;

    // Replaces the whole text, forgets the undo history and puts the insertion point at the start.
    void setText(const QString& text);
    // Moves the insertion point, dragging the selection along when keepAnchor is set.
    void moveCaret(qsizetype position, bool keepAnchor);
    void select(qsizetype anchor, qsizetype caret);

    // Replaces the selection with text and leaves the insertion point after it. A user's edit can
    // be undone; typing one character after another undoes as one step.
    enum class By { User, Program };
    void replaceSelection(const QString& text, By by);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < history_.size(); }
    void undo();
    void redo();

    // Where the character before or after a position starts or ends.
    qsizetype previousCharacter(qsizetype position) const;
    qsizetype nextCharacter(qsizetype position) const;
    // The start of the word before a position, and the end of the word after it.
    qsizetype previousWord(qsizetype position) const;
    qsizetype nextWord(qsizetype position) const;

    // The first position at which the text changed since the last call (size() when unchanged).
    qsizetype takeChangedFrom();

private:
    struct Edit {
        qsizetype at;
        QString removed;
        QString inserted;
        bool typing;
    };
    void apply(qsizetype at, qsizetype removeLength, const QString& insert);

    QString text_;
    qsizetype caret_ = 0;
    qsizetype anchor_ = 0;
    std::vector<Edit> history_;
    std::size_t done_ = 0;
    qsizetype changedFrom_ = 0;
};

// Whether text[i] is part of the character that starts before it, as the user sees characters
// (the second half of a surrogate pair, a combining mark, the rest of an emoji sequence or a
// flag), or the LF of a CR LF.
bool continuesCharacter(QStringView text, qsizetype i);

} // namespace forms
