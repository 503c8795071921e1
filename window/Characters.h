#pragma once

#include "platform/forms/Graphemes.h"

#include <QString>
#include <QStringView>

// Whole characters of a UTF-16 text, as the user sees them: a base with its combining marks, an
// emoji sequence or a surrogate pair is one character and is never cut. CR and LF are one each.
namespace characters {

// The number of code units of the character that ends text.
inline qsizetype lastLength(QStringView text) {
    return forms::graphemes::lastLength(text);
}

inline QString last(const QString& text) {
    return text.right(lastLength(text));
}

inline bool isSingle(QStringView text) {
    return !text.isEmpty() && lastLength(text) == text.size();
}

qsizetype count(QStringView text);

// The text with each control character (U+0000 to U+001F, U+007F) replaced by its picture from
// the Control Pictures block (␀ … ␟, ␡), so a CR or LF shows where it is instead of breaking the
// line it stands in.
QString withControlPictures(QString text);

// Finds the character at a 1-based position. Walking forward through the same text costs a step
// a call; a text that changed in between is walked again from its start.
class Cursor {
public:
    QString at(const QString& text, qsizetype position);

private:
    QString text_;
    qsizetype position_ = 1; // the character that starts at offset_
    qsizetype offset_ = 0;
};

} // namespace characters
