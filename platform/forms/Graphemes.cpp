#include "platform/forms/Graphemes.h"

#include "platform/codepage/Utf16.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace forms::graphemes {

namespace {

// Units of the code point at text[i]: 2 for a surrogate pair, else 1 (a lone surrogate too).
qsizetype unitsAt(QStringView text, qsizetype i) {
    return codepage::isSurrogatePairAt(text, i) ? 2 : 1;
}

char32_t codePointAt(QStringView text, qsizetype i) {
    return unitsAt(text, i) == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                 : char32_t(text[i].unicode());
}

// Where the code point before i starts.
qsizetype previousStart(QStringView text, qsizetype i) {
    return i >= 2 && codepage::isSurrogatePairAt(text, i - 2) ? i - 2 : i - 1;
}

bool isHangul(char32_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0xA960 && c <= 0xA97F) ||
           (c >= 0xAC00 && c <= 0xD7FF);
}

bool isRegionalIndicator(char32_t c) {
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

bool isFormat(char32_t c) {
    return QChar::category(c) == QChar::Other_Format; // joiners, tags, prepended number signs
}

// Code points after which the rules may keep the next one in the same character.
bool mayJoinTheNext(char32_t c) {
    if (isFormat(c) || isHangul(c) || isRegionalIndicator(c))
        return true;
    switch (c) { // the prepended letters that are not format characters
    case 0x0D4E:
    case 0x111C2:
    case 0x111C3:
    case 0x1193F:
    case 0x11941:
    case 0x11A3A:
    case 0x11D46:
        return true;
    default:
        return c >= 0x11A84 && c <= 0x11A89;
    }
}

// Code points that the rules may join to the one before.
bool mayJoinThePrevious(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return true;
    default:
        break;
    }
    return isHangul(c) || isRegionalIndicator(c) || (c >= 0x1F3FB && c <= 0x1F3FF) || c == 0xFF9E ||
           c == 0xFF9F || c == 0x0E33 || c == 0x0EB3;
}

// Whether a character surely ends between code points a and b, judged from the two alone.
bool surelyBreaksBetween(char32_t a, char32_t b) {
    if (a < 0x10000 && b < 0x10000 &&
        (isControl(char16_t(a)) || isControl(char16_t(b)) ||
         (isLoner(char16_t(a)) && isLoner(char16_t(b)))))
        return true;
    const auto surrogate = [](char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }; // a lone one
    if (surrogate(a) || surrogate(b))
        return true;
    return !mayJoinTheNext(a) && !mayJoinThePrevious(b);
}

} // namespace

qsizetype lengthByTheRules(QStringView text, qsizetype i) {
    const qsizetype n = text.size();
    const qsizetype first = unitsAt(text, i);
    if (i + first >= n || surelyBreaksBetween(codePointAt(text, i), codePointAt(text, i + first)))
        return std::min(first, n - i);
    // The Unicode rules, on a stretch that grows until the character ends inside it.
    for (qsizetype window = 16;; window *= 2) {
        const qsizetype size = std::min(window, n - i);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data() + i, size);
        const qsizetype end = finder.toNextBoundary();
        if (end > 0 && (end < size || size == n - i))
            return end;
    }
}

bool startsByTheRules(QStringView text, qsizetype i) {
    if (codepage::isSurrogatePairAt(text, i - 1))
        return false;
    qsizetype start = previousStart(text, i);
    if (surelyBreaksBetween(codePointAt(text, start), codePointAt(text, i)))
        return true;
    // Flags pair up and joiners join pictographs, so the rules look further back: to where a
    // character surely starts, or a stretch of 64 units, past which a unit that may join the one
    // before it is taken to.
    while (start > 0 && i - start < 64) {
        const qsizetype before = previousStart(text, start);
        if (surelyBreaksBetween(codePointAt(text, before), codePointAt(text, start)))
            break;
        start = before;
    }
    if (start > 0 && i - start >= 64)
        return !mayJoinThePrevious(codePointAt(text, i));
    // The rules look no further right than the code point at i.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data() + start,
                               i - start + unitsAt(text, i));
    finder.setPosition(i - start);
    return finder.isAtBoundary();
}

qsizetype lastLength(QStringView text) {
    const qsizetype n = text.size();
    if (n == 0)
        return 0;
    const qsizetype last = previousStart(text, n);
    if (last <= 0)
        return n;
    qsizetype start = previousStart(text, last);
    if (surelyBreaksBetween(codePointAt(text, start), codePointAt(text, last)))
        return n - last;
    // Back to where a character surely starts, then forward by the rules.
    while (start > 0) {
        const qsizetype before = previousStart(text, start);
        if (surelyBreaksBetween(codePointAt(text, before), codePointAt(text, start)))
            break;
        start = before;
    }
    for (qsizetype next = start + lengthAt(text, start); next < n; next += lengthAt(text, next))
        start = next;
    return n - start;
}

} // namespace forms::graphemes
