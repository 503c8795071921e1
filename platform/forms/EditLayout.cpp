#include "platform/forms/EditLayout.h"

#include "platform/forms/EditBuffer.h"

#include <algorithm>
#include <limits>

namespace forms {

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

char16_t pictureOf(char16_t c) {
    return c == 0x7F ? char16_t(0x2421) : char16_t(0x2400 + c);
}

bool crLfAt(QStringView text, qsizetype i) {
    return i >= 0 && i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n';
}

} // namespace

EditLayout::EditLayout(const TextMeasure& measure, bool multiLine)
    : measure_(measure)
    , multiLine_(multiLine)
    , chunkOffsets_{0} {
    for (char16_t c = 0; c <= 32; ++c) {
        const QChar picture(pictureOf(c == 32 ? 0x7F : c));
        pictureAdvance_[c] = measure_.advanceAt(QStringView(&picture, 1), 0);
    }
}

void EditLayout::setWrapWidth(int pixels) {
    if (pixels == wrapWidth_)
        return;
    wrapWidth_ = pixels;
    invalidate(0);
}

void EditLayout::invalidate(qsizetype from) {
    // A character's advance looks at its neighbours, so the one before `from` goes too.
    const qsizetype keep = from <= 0 ? 1 : (from - 1) / chunk + 1;
    if (qsizetype(chunkOffsets_.size()) > keep)
        chunkOffsets_.resize(keep);
    if (complete_ || from < laidOutTo_) {
        // Rows are laid out again from the start of the line, found when next needed.
        laidOutTo_ = std::min(laidOutTo_, std::max<qsizetype>(0, from));
        complete_ = false;
        resync_ = true;
    }
}

bool EditLayout::breaksLine(QStringView text, qsizetype i) const {
    return multiLine_ && crLfAt(text, i);
}

int EditLayout::advance(QStringView text, qsizetype i) const {
    const char16_t c = text[i].unicode();
    if (isControl(c)) {
        if (c == u'\n' && i > 0 && text[i - 1] == u'\r')
            return 0;
        if (crLfAt(text, i))
            return multiLine_ ? 0 : pictureAdvance_[u'\r'] + pictureAdvance_[u'\n'];
        return pictureAdvance_[c == 0x7F ? 32 : c];
    }
    if (continuesCharacter(text, i))
        return 0;
    return measure_.advanceAt(text, i);
}

QString EditLayout::shown(QStringView text, qsizetype i, qsizetype length) {
    QString s = text.mid(i, length).toString();
    for (QChar& c : s)
        if (isControl(c.unicode()))
            c = QChar(pictureOf(c.unicode()));
    return s;
}

qint64 EditLayout::offset(QStringView text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    const qsizetype k = position / chunk;
    while (qsizetype(chunkOffsets_.size()) <= k) {
        const qsizetype start = (qsizetype(chunkOffsets_.size()) - 1) * chunk;
        const qsizetype end = std::min(start + chunk, text.size());
        qint64 sum = chunkOffsets_.back();
        for (qsizetype i = start; i < end; ++i)
            sum += advance(text, i);
        chunkOffsets_.push_back(sum);
    }
    qint64 sum = chunkOffsets_[k];
    for (qsizetype i = k * chunk; i < position; ++i)
        sum += advance(text, i);
    return sum;
}

void EditLayout::layOutRows(QStringView text, qsizetype upToRow) {
    if (resync_) {
        resync_ = false;
        qsizetype start = 0;
        if (multiLine_ && laidOutTo_ >= 2) {
            const qsizetype crLf = text.lastIndexOf(u"\r\n", laidOutTo_ - 2);
            start = crLf < 0 ? 0 : crLf + 2;
        }
        rowStarts_.erase(std::lower_bound(rowStarts_.begin(), rowStarts_.end(), start),
                         rowStarts_.end());
        laidOutTo_ = start;
    }
    while (!complete_ && qsizetype(rowStarts_.size()) <= upToRow) {
        const qsizetype start = laidOutTo_;
        rowStarts_.push_back(start);
        qsizetype next = -1;
        if (multiLine_) {
            int width = 0;
            qsizetype afterSpace = -1;
            for (qsizetype i = start; i < text.size(); ++i) {
                if (crLfAt(text, i)) {
                    next = i + 2;
                    break;
                }
                const int a = advance(text, i);
                // Spaces hang past the edge; a row breaks after its last space when it can.
                if (wrapWidth_ > 0 && a > 0 && i > start && width + a > wrapWidth_ &&
                    text[i] != u' ') {
                    next = afterSpace > start ? afterSpace : i;
                    break;
                }
                width += a;
                if (text[i] == u' ')
                    afterSpace = i + 1;
            }
        }
        if (next < 0) {
            laidOutTo_ = text.size();
            complete_ = true;
        } else {
            laidOutTo_ = next;
        }
    }
}

qsizetype EditLayout::rowCount(QStringView text) {
    layOutRows(text, std::numeric_limits<qsizetype>::max() - 1);
    return qsizetype(rowStarts_.size());
}

qsizetype EditLayout::rowStart(QStringView text, qsizetype row) {
    layOutRows(text, row + 1);
    return rowStarts_[std::clamp<qsizetype>(row, 0, qsizetype(rowStarts_.size()) - 1)];
}

qsizetype EditLayout::rowEnd(QStringView text, qsizetype row) {
    layOutRows(text, row + 2);
    if (row + 1 >= qsizetype(rowStarts_.size()))
        return text.size();
    const qsizetype next = rowStarts_[row + 1];
    return crLfAt(text, next - 2) ? next - 2 : next;
}

qsizetype EditLayout::rowOf(QStringView text, qsizetype position) {
    layOutRows(text, 0);
    while (!complete_ && laidOutTo_ <= position)
        layOutRows(text, qsizetype(rowStarts_.size()) + 64);
    const auto it = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), position);
    return std::max<qsizetype>(0, (it - rowStarts_.begin()) - 1);
}

int EditLayout::x(QStringView text, qsizetype position) {
    const qsizetype start = rowStart(text, rowOf(text, position));
    const qint64 x = offset(text, position) - offset(text, start);
    return int(std::min<qint64>(x, std::numeric_limits<int>::max()));
}

int EditLayout::rowWidth(QStringView text, qsizetype row) {
    const qint64 w = offset(text, rowEnd(text, row)) - offset(text, rowStart(text, row));
    return int(std::min<qint64>(w, std::numeric_limits<int>::max()));
}

qsizetype EditLayout::positionAt(QStringView text, qsizetype row, int x) {
    const qsizetype start = rowStart(text, row);
    const qsizetype end = rowEnd(text, row);
    if (x <= 0)
        return start;
    const qint64 base = offset(text, start);
    const qint64 target = base + x;
    offset(text, end); // every chunk up to the row's end is known from here on
    // Skip whole chunks that end before x.
    qsizetype k = std::upper_bound(chunkOffsets_.begin() + start / chunk + 1,
                                   chunkOffsets_.begin() + end / chunk + 1, target) -
                  chunkOffsets_.begin() - 1;
    qsizetype i = std::max(start, k * chunk);
    while (i > start && continuesCharacter(text, i))
        --i;
    qint64 at = offset(text, i);
    while (i < end) {
        const int a = advance(text, i);
        qsizetype next = i + 1;
        while (next < end && continuesCharacter(text, next))
            ++next;
        if (target < at + (a + 1) / 2)
            return i;
        at += a;
        i = next;
    }
    return end;
}

} // namespace forms
