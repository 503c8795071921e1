#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

// Zhuyin syllables as the phonetic dictionary codes them: one 16-bit phone code per syllable,
// initial × 512 + medial × 128 + final × 8 + tone. Initials 1–21 are ㄅ…ㄙ, medials 1–3 ㄧㄨㄩ,
// finals 1–13 ㄚ…ㄦ; tone 0 is the first tone, 1 the neutral tone ˙, 2 ˊ, 3 ˇ, 4 ˋ.
namespace phonetic::zhuyin {

using Phone = std::uint16_t;

inline constexpr int kInitials = 21;
inline constexpr int kMedials = 3;
inline constexpr int kFinals = 13;
inline constexpr int kTones = 4;
inline constexpr int kNeutralTone = 1;

constexpr int initialOf(Phone p) {
    return p >> 9;
}
constexpr int medialOf(Phone p) {
    return (p >> 7) & 3;
}
constexpr int finalOf(Phone p) {
    return (p >> 3) & 15;
}
constexpr int toneOf(Phone p) {
    return p & 7;
}
// The syllable without its tone: readings that differ only in tone share it.
constexpr Phone baseOf(Phone p) {
    return static_cast<Phone>(p & ~7u);
}

constexpr Phone makePhone(int initial, int medial, int final, int tone) {
    return static_cast<Phone>(initial * 512 + medial * 128 + final * 8 + tone);
}

// Every part within its range; a bare tone (no initial, medial or final) is allowed, since the
// dictionary files the tone marks themselves under it.
constexpr bool isPhone(Phone p) {
    return p != 0 && initialOf(p) <= kInitials && finalOf(p) <= kFinals && toneOf(p) <= kTones;
}

// A pronounceable syllable: a valid phone with at least an initial, a medial or a final.
constexpr bool isSyllable(Phone p) {
    return isPhone(p) && baseOf(p) != 0;
}

// A syllable of Mandarin's shape, as every listed reading must be: ㄐㄑㄒ only before ㄧ or ㄩ;
// ㄍㄎㄏ and ㄓ…ㄙ never before ㄧ or ㄩ, ㄅ…ㄊ never before ㄩ; an initial alone only where it
// carries its own vowel (ㄓ…ㄙ); ㄦ only alone; ㄝ after an initial only through ㄧ or ㄩ.
bool isWellFormed(Phone p);

// The reading as the input method shows it: the symbols in keystroke order, then the tone mark,
// none for the first tone ("ㄓㄨㄥ", "ㄗˋ", "ㄉㄜ˙"). Empty for an invalid phone.
QString toText(Phone p);

// The phone that `text` spells, written as toText writes it; nothing for anything else.
std::optional<Phone> fromText(QStringView text);

// The keys that type the syllable on the standard Zhuyin keyboard, the tone key last (space for
// the first tone). Empty for anything that is not a syllable.
std::string keystrokes(Phone p);

} // namespace phonetic::zhuyin
