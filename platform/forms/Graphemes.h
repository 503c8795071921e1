#pragma once

#include <QStringView>
#include <array>

// User-perceived characters (grapheme clusters) of UTF-16 text: a base with its combining marks,
// an emoji sequence, a character with its variation selector, a surrogate pair. CR and LF are a
// character each, as every control character is. Text made of characters that never join their
// neighbours (Chinese, Bopomofo, ASCII) is walked a unit at a time without asking the Unicode
// rules; elsewhere they decide.
namespace forms::graphemes {

// Code units in the character that starts at text[i].
inline qsizetype lengthAt(QStringView text, qsizetype i);
// Code units in the character that ends text.
qsizetype lastLength(QStringView text);
// Whether a character starts at text[i] (true at either end of the text).
inline bool startsAt(QStringView text, qsizetype i);

// True when text[i] is a character of its own whatever follows it (a quick test: it may say
// false for such units too).
inline bool standsAlone(QStringView text, qsizetype i);

// A unit that is a whole character and joins neither neighbour: ASCII, CJK ideographs and
// punctuation, Bopomofo and its tone marks, kana, full-width forms.
constexpr bool isLoner(char16_t c) {
    return (c >= 0x20 && c <= 0x7E) || c == 0x02C7 || (c >= 0x02C9 && c <= 0x02CB) || c == 0x02D9 ||
           (c >= 0x3000 && c <= 0x3029) || (c >= 0x3030 && c <= 0x3098) ||
           (c >= 0x309B && c <= 0x30FF) || (c >= 0x3105 && c <= 0x312F) ||
           (c >= 0x31A0 && c <= 0x31BF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF01 && c <= 0xFF5E);
}

constexpr bool isControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

// Each 16-bit unit as standsAlone sees it, looked up rather than worked out: pointing and
// listing ask once or twice a character.
enum class UnitKind : unsigned char { MayJoin, Loner, Control };
inline constexpr auto unitKinds = [] {
    std::array<UnitKind, 0x10000> kinds{};
    for (std::size_t c = 0; c < kinds.size(); ++c)
        kinds[c] = isControl(char16_t(c)) ? UnitKind::Control
                   : isLoner(char16_t(c)) ? UnitKind::Loner
                                          : UnitKind::MayJoin;
    return kinds;
}();

inline bool standsAlone(QStringView text, qsizetype i) {
    const UnitKind kind = unitKinds[text[i].unicode()];
    if (kind != UnitKind::Loner)
        return kind == UnitKind::Control;
    return i + 1 == text.size() || unitKinds[text[i + 1].unicode()] != UnitKind::MayJoin;
}

// The same, where the quick test could not tell.
qsizetype lengthByTheRules(QStringView text, qsizetype i);
bool startsByTheRules(QStringView text, qsizetype i);

inline qsizetype lengthAt(QStringView text, qsizetype i) {
    return standsAlone(text, i) ? 1 : lengthByTheRules(text, i);
}

inline bool startsAt(QStringView text, qsizetype i) {
    if (i <= 0 || i >= text.size() || standsAlone(text, i - 1))
        return true;
    return startsByTheRules(text, i);
}

} // namespace forms::graphemes
