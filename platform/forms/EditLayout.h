#pragma once

#include "platform/forms/Font.h"

#include <QString>
#include <vector>

namespace forms {

// Where an edit box puts its text: rows, and the x of every position within its row. Characters
// are placed by their cached advances, one after another, as the gauge label measures them, so
// text of any length costs a table look-up per character, and only when it changes. A single-line
// layout is one row; a multi-line one breaks rows after CR LF and wraps rows wider than the wrap
// width. Control characters take the width of their control pictures.
class EditLayout {
public:
    EditLayout(const TextMeasure& measure, bool multiLine);

    bool multiLine() const { return multiLine_; }
    int lineHeight() const { return measure_.lineHeight(); }
    void setWrapWidth(int pixels);

    // The text changed from position `from` on: what lies before it keeps its place.
    void invalidate(qsizetype from);

    qsizetype rowCount(QStringView text);
    qsizetype rowStart(QStringView text, qsizetype row);
    // The end of a row's characters, before its line break if it has one.
    qsizetype rowEnd(QStringView text, qsizetype row);
    qsizetype rowOf(QStringView text, qsizetype position);

    // The x of a position in its row, and the position nearest to x in a row (whole characters).
    int x(QStringView text, qsizetype position);
    qsizetype positionAt(QStringView text, qsizetype row, int x);
    int rowWidth(QStringView text, qsizetype row);

    // The width the character starting at text[i] takes; 0 for a unit that continues a character
    // or a line break.
    int advance(QStringView text, qsizetype i) const;
    // What is drawn for the character starting at text[i] (length units): control characters as
    // their pictures.
    static QString shown(QStringView text, qsizetype i, qsizetype length);
    bool breaksLine(QStringView text, qsizetype i) const;

private:
    // Advances summed from the start of the text to position (line breaks add nothing).
    qint64 offset(QStringView text, qsizetype position);
    void layOutRows(QStringView text, qsizetype upToRow);

    const TextMeasure& measure_;
    bool multiLine_;
    int wrapWidth_ = 0;
    int pictureAdvance_[33];
    static constexpr qsizetype chunk = 1024;
    std::vector<qint64> chunkOffsets_; // offset() at every chunk start, as far as known
    std::vector<qsizetype> rowStarts_; // as far as laid out
    qsizetype laidOutTo_ = 0;          // where the next row to lay out starts
    bool complete_ = false;
    bool resync_ = true;
};

} // namespace forms
