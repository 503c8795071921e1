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

} // namespace

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
