#include "platform/phonetic/ContextRules.h"

#include <QString>

#include <algorithm>
#include <array>
#include <string_view>

namespace phonetic {
namespace {

using zhuyin::Phone;

Phone phone(const char16_t* text) {
    return zhuyin::fromText(QStringView(text)).value_or(0);
}

bool among(std::u32string_view set, char32_t c) {
    return set.find(c) != std::u32string_view::npos;
}

bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

// Who does something: a personal pronoun (們 ends the plural ones), 大家, 自己.
constexpr std::u32string_view kPersons = U"我你妳您他她它牠們咱家己";
// Adverbs after which 得 is the modal "must": 還得、就得、總得、也得、都得、非得、必得.
constexpr std::u32string_view kModalAdverbs = U"還就總也都非必";
// What follows 得 when it means "obtain": aspect, result and numbers (得了、得第一、得一百分).
constexpr std::u32string_view kAfterObtain =
    U"了到過著住出知獎第分票名罪以意一二三四五六七八九十百千萬兩";
// Degree words and manners that follow a verb's 得 complement (跑得很快、說得不對).
constexpr std::u32string_view kDegrees = U"很真太非更越那這挺蠻不快慢好像比多";
// Degree adverbs before an adjective (很長、太長、多長).
constexpr std::u32string_view kDegreeAdverbs = U"很太最更好多真挺蠻夠較麼";
// What follows 長 when it means "grow" (長大、長高、長得、長出、長滿、長成); not 了, which ends
// "too long" as often (太長了).
constexpr std::u32string_view kAfterGrow = U"大高得出滿成";
// Aspect markers: the character before them is a verb. Not 過, which also means "too" (數量過多).
constexpr std::u32string_view kAspects = U"了著";

// Characters whose verb reading differs from the one they take in most words, reviewed against
// the Ministry of Education's dictionary: the reading they take as a verb standing alone.
struct VerbReading {
    char32_t character;
    const char16_t* reading;
};
constexpr std::array kVerbReadings = {
    VerbReading{U'種', u"ㄓㄨㄥˋ"}, VerbReading{U'中', u"ㄓㄨㄥˋ"}, VerbReading{U'長', u"ㄓㄤˇ"},
    VerbReading{U'教', u"ㄐㄧㄠ"},  VerbReading{U'量', u"ㄌㄧㄤˊ"}, VerbReading{U'數', u"ㄕㄨˇ"},
    VerbReading{U'還', u"ㄏㄨㄢˊ"}, VerbReading{U'漲', u"ㄓㄤˇ"},   VerbReading{U'降', u"ㄐㄧㄤˋ"},
    VerbReading{U'縫', u"ㄈㄥˊ"},   VerbReading{U'擔', u"ㄉㄢ"},    VerbReading{U'挑', u"ㄊㄧㄠ"},
    VerbReading{U'盛', u"ㄔㄥˊ"},   VerbReading{U'藏', u"ㄘㄤˊ"},   VerbReading{U'塞', u"ㄙㄞ"},
    VerbReading{U'載', u"ㄗㄞˋ"},   VerbReading{U'鑽', u"ㄗㄨㄢ"},  VerbReading{U'磨', u"ㄇㄛˊ"},
    VerbReading{U'扇', u"ㄕㄢ"},    VerbReading{U'喝', u"ㄏㄜ"},    VerbReading{U'分', u"ㄈㄣ"},
};

Phone verbReading(char32_t c) {
    for (const VerbReading& v : kVerbReadings) {
        if (v.character == c)
            return phone(v.reading);
    }
    return 0;
}

class Line {
public:
    Line(std::span<const char32_t> text, std::span<const Word> pieces, std::span<Phone> phones)
        : text_(text)
        , phones_(phones)
        , alone_(text.size())
        , startsWord_(text.size()) {
        for (const Word& piece : pieces) {
            alone_[piece.begin] = piece.length == 1;
            startsWord_[piece.begin] = piece.length > 1;
        }
    }

    void apply() {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            switch (text_[i]) {
            case U'得':
                mustOrComplement(i);
                break;
            case U'地':
                adverbial(i);
                break;
            case U'都':
                if (alone_[i] || startsWord_[i]) {
                    if (among(kPersons, at(i - 1)))
                        phones_[i] = phone(u"ㄉㄡ"); // 我們都、大家都: "all", not the city
                }
                break;
            default:
                break;
            }
            if (text_[i] == U'長' && lengthOfDegree(i))
                continue;
            verb(i);
        }
    }

private:
    char32_t at(std::size_t i) const { return i < text_.size() ? text_[i] : 0; }

    // 得 standing alone: the modal "must" after whoever must (我得走、你得多穿) or a modal adverb
    // (還得), unless what follows says it is "obtain"; a verb's complement marker before a degree
    // word (跑得很快).
    void mustOrComplement(std::size_t i) {
        if (!alone_[i] || i == 0)
            return;
        const char32_t before = at(i - 1), after = at(i + 1);
        if ((among(kPersons, before) || among(kModalAdverbs, before)) && isHan(after) &&
            !among(kAfterObtain, after)) {
            phones_[i] = phone(u"ㄉㄟˇ");
            return;
        }
        if (isHan(before) && among(kDegrees, after))
            phones_[i] = phone(u"ㄉㄜ˙");
    }

    // 地 after a doubled word makes it an adverb (慢慢地、高高興興地), even where the split joined
    // 地 to what follows (靜靜地面對).
    void adverbial(std::size_t i) {
        if ((!alone_[i] && !startsWord_[i]) || i < 2 || !isHan(at(i - 1)))
            return;
        if (at(i - 1) == at(i - 2))
            phones_[i] = phone(u"ㄉㄜ˙");
    }

    // 長 after a degree adverb is "long" (很長、多長), alone or where the list files the pair as
    // a word read "grow", unless what follows says it grows.
    bool lengthOfDegree(std::size_t i) {
        const bool endsPair = i >= 1 && startsWord_[i - 1] && !startsWord_[i] && !alone_[i] &&
                              (i + 1 >= text_.size() || alone_[i + 1] || startsWord_[i + 1]);
        if ((!alone_[i] && !endsPair) || i == 0 || !among(kDegreeAdverbs, at(i - 1)) ||
            among(kAfterGrow, at(i + 1)))
            return false;
        phones_[i] = phone(u"ㄔㄤˊ");
        return true;
    }

    // A character standing alone that is plainly a verb takes its verb reading: before an aspect
    // marker (種了、中了), doubled round 一 or 了 (數一數、量了量), or before a person (教我).
    void verb(std::size_t i) {
        if (!alone_[i])
            return;
        const Phone reading = verbReading(text_[i]);
        if (!reading)
            return;
        const char32_t after = at(i + 1);
        const bool doubled = (after == U'一' || after == U'了') && at(i + 2) == text_[i];
        const bool doubledSecond =
            i >= 2 && (at(i - 1) == U'一' || at(i - 1) == U'了') && at(i - 2) == text_[i];
        if (among(kAspects, after) || doubled || doubledSecond ||
            (among(kPersons, after) && after != U'家' && after != U'們' && after != U'己'))
            phones_[i] = reading;
    }

    std::span<const char32_t> text_;
    std::span<Phone> phones_;
    std::vector<bool> alone_, startsWord_;
};

} // namespace

void applyContextRules(std::span<const char32_t> text, std::span<const Word> pieces,
                       std::span<zhuyin::Phone> phones) {
    Line(text, pieces, phones).apply();
}

} // namespace phonetic
