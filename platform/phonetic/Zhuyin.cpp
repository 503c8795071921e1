#include "platform/phonetic/Zhuyin.h"

namespace phonetic::zhuyin {
namespace {

// Symbols and keys of the standard keyboard, index 0 unused.
constexpr char16_t kInitialSymbols[] = u"\0ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄓㄔㄕㄖㄗㄘㄙ";
constexpr char16_t kMedialSymbols[] = u"\0ㄧㄨㄩ";
constexpr char16_t kFinalSymbols[] = u"\0ㄚㄛㄜㄝㄞㄟㄠㄡㄢㄣㄤㄥㄦ";
constexpr char16_t kToneMarks[] = u"\0˙ˊˇˋ";

constexpr char kInitialKeys[] = "\0001qaz2wsxedcrfv5tgbyhn";
constexpr char kMedialKeys[] = "\0ujm";
constexpr char kFinalKeys[] = "\08ik,9ol.0p;/-";
constexpr char kToneKeys[] = " 7634";

static_assert(sizeof kInitialSymbols / sizeof(char16_t) == kInitials + 2);
static_assert(sizeof kFinalSymbols / sizeof(char16_t) == kFinals + 2);
static_assert(sizeof kInitialKeys == kInitials + 2);
static_assert(sizeof kFinalKeys == kFinals + 2);

// Initials, medial and finals by their index.
constexpr int kJ = 12, kX = 14, kZh = 15, kS = 21, kG = 9, kH = 11, kT = 6;
constexpr int kMedialI = 1, kMedialYu = 3;
constexpr int kFinalE = 4, kFinalEr = 13;

// The index (1…count) of the symbol at text[at] among `symbols`, moving `at` past it; 0 for none.
int take(QStringView text, qsizetype& at, const char16_t* symbols, int count) {
    if (at < text.size()) {
        for (int k = 1; k <= count; ++k) {
            if (text[at].unicode() == symbols[k]) {
                ++at;
                return k;
            }
        }
    }
    return 0;
}

} // namespace

bool isWellFormed(Phone p) {
    if (!isSyllable(p))
        return false;
    const int initial = initialOf(p), medial = medialOf(p), final = finalOf(p);
    const bool frontMedial = medial == kMedialI || medial == kMedialYu;
    if (initial >= kJ && initial <= kX)
        return frontMedial;
    if (frontMedial && ((initial >= kG && initial <= kH) || initial >= kZh))
        return false;
    if (medial == kMedialYu && initial >= 1 && initial <= kT)
        return false;
    if (initial != 0 && medial == 0 && final == 0)
        return initial >= kZh && initial <= kS;
    if (final == kFinalEr)
        return initial == 0 && medial == 0;
    if (final == kFinalE && initial != 0)
        return frontMedial;
    return true;
}

std::optional<Phone> fromText(QStringView text) {
    qsizetype at = 0;
    const int initial = take(text, at, kInitialSymbols, kInitials);
    const int medial = take(text, at, kMedialSymbols, kMedials);
    const int final = take(text, at, kFinalSymbols, kFinals);
    const int tone = take(text, at, kToneMarks, kTones);
    const Phone p = makePhone(initial, medial, final, tone);
    if (at != text.size() || !isPhone(p))
        return std::nullopt;
    return p;
}

QString toText(Phone p) {
    QString text;
    if (!isPhone(p))
        return text;
    if (initialOf(p))
        text.append(QChar(kInitialSymbols[initialOf(p)]));
    if (medialOf(p))
        text.append(QChar(kMedialSymbols[medialOf(p)]));
    if (finalOf(p))
        text.append(QChar(kFinalSymbols[finalOf(p)]));
    if (toneOf(p))
        text.append(QChar(kToneMarks[toneOf(p)]));
    return text;
}

std::string keystrokes(Phone p) {
    std::string keys;
    if (!isSyllable(p))
        return keys;
    if (initialOf(p))
        keys += kInitialKeys[initialOf(p)];
    if (medialOf(p))
        keys += kMedialKeys[medialOf(p)];
    if (finalOf(p))
        keys += kFinalKeys[finalOf(p)];
    keys += kToneKeys[toneOf(p)];
    return keys;
}

} // namespace phonetic::zhuyin
