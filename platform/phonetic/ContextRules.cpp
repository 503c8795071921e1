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
// Adverbs of two characters after which 得 is "must" too (也許得、至少得、一定得).
constexpr std::array<std::u32string_view, 10> kModalAdverbWords = {
    U"也許", U"或許", U"或者", U"至少", U"一定", U"恐怕", U"可能", U"最好", U"只好", U"必須"};
// Before 得 "obtain": 而得、所得、可得、只得 (had to), where it is neither "must" nor a complement.
constexpr std::u32string_view kBeforeObtain = U"而所可只祇";
// What follows 得 when it means "obtain": aspect, result and numbers (得了、得第一、得一百分).
constexpr std::u32string_view kAfterObtain =
    U"了到過著住出知獎第分票名罪以意一二三四五六七八九十百千萬兩";
// Degree adverbs before an adjective (很長、太長、多長).
constexpr std::u32string_view kDegreeAdverbs = U"很太最更好多真挺蠻夠較麼";
// What follows 長 when it means "grow" (長大、長高、長得、長出、長滿、長成); not 了, which ends
// "too long" as often (太長了).
constexpr std::u32string_view kAfterGrow = U"大高得出滿成";
// Aspect markers: the character before them is a verb. Not 過, which also means "too" (數量過多).
constexpr std::u32string_view kAspects = U"了著";
// Results a verb can take, standing alone after it (繫好、數完、長滿、數清); and directions
// (釘回去、長出來).
constexpr std::u32string_view kResults = U"好住完掉滿光錯清";
constexpr std::array<std::u32string_view, 14> kDirections = {
    U"起來", U"回去", U"回來", U"進去", U"進來", U"出來", U"出去",
    U"上來", U"上去", U"下來", U"下去", U"過來", U"過去", U"起去"};
// Measures that count land (這塊地、一片地): 地 after them is the ground.
constexpr std::u32string_view kLandMeasures = U"塊片個畝甲坪處種";
// Numbers that begin a counted object (一件、兩本、幾個).
constexpr std::u32string_view kNumbers = U"一二兩三四五六七八九十幾半";
// Whom 為 is done for (為他、為大家): then it reads "for", not "be" or "become".
constexpr std::u32string_view kPersonsAlone = U"我你妳您他她它牠咱";
// Words for people that a verb or 為 can be done to or for (哄弟弟、教學生、為女兒寫).
constexpr std::array<std::u32string_view, 24> kPersonWords = {
    U"爸爸", U"媽媽", U"哥哥", U"姊姊", U"姐姐", U"弟弟", U"妹妹", U"爺爺",
    U"奶奶", U"孩子", U"女兒", U"兒子", U"父母", U"朋友", U"同學", U"老師",
    U"學生", U"別人", U"家人", U"子女", U"小孩", U"客人", U"病人", U"對方"};
// Before 種 these make it the measure "kind" (三種、各種、多少種), and 是 and 有 too, where
// they stand for 是一 and 有一 (是種享受).
constexpr std::u32string_view kBeforeKinds =
    U"一二兩三四五六七八九十百千萬幾數多少各某每哪這那此該同是有";
// Before 行 a number or one of these makes it the measure of lines (一行字、第 3 行、每行) or
// of a trade (這一行).
constexpr std::u32string_view kBeforeLines = U"一二兩三四五六七八九十百千幾每這那哪";

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
    VerbReading{U'撒', u"ㄙㄚˇ"},   VerbReading{U'繫', u"ㄐㄧˋ"},   VerbReading{U'釘', u"ㄉㄧㄥˋ"},
    VerbReading{U'卡', u"ㄑㄧㄚˇ"}, VerbReading{U'哄', u"ㄏㄨㄥˇ"}, VerbReading{U'待', u"ㄉㄞ"},
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
        , startsWord_(text.size())
        , endsWord_(text.size())
        , lengthFrom_(text.size()) {
        for (const Word& piece : pieces) {
            lengthFrom_[piece.begin] = piece.length;
            alone_[piece.begin] = piece.length == 1;
            startsWord_[piece.begin] = piece.length > 1;
            endsWord_[piece.begin + piece.length - 1] = piece.length > 1;
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
            case U'為':
                forWhom(i);
                break;
            case U'著':
                aspectBeforeANumber(i);
                break;
            case U'行':
                measureOfLines(i);
                break;
            case U'了':
                // 做不了、難不了: after a verb and 不, 了 says whether it can be done, ㄌㄧㄠˇ; the
                // aspect never follows 不.
                if (alone_[i] && i >= 2 && at(i - 1) == U'不' && alone_[i - 1] && isHan(at(i - 2)))
                    phones_[i] = phone(u"ㄌㄧㄠˇ");
                break;
            case U'似':
                // 像孩子似的、飛也似的: the particle 似的 reads ㄕˋ; 似 "seem" is in its words
                // (相似、似乎), so one standing alone before 的 is the particle.
                if (alone_[i] && at(i + 1) == U'的' && !startsWord_[i + 1])
                    phones_[i] = phone(u"ㄕˋ");
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
        citationTones();
    }

private:
    char32_t at(std::size_t i) const { return i < text_.size() ? text_[i] : 0; }

    // Whether the piece that begins at i is one of the words for people.
    bool personWordAt(std::size_t i) const {
        return i < text_.size() && lengthFrom_[i] == 2 &&
               std::find(kPersonWords.begin(), kPersonWords.end(),
                         std::u32string_view(&text_[i], 2)) != kPersonWords.end();
    }

    // Whether a number written in digits ends just before i, a space between or not (第 3 行,
    // 第 %d 行 in a message's template).
    bool digitsBefore(std::size_t i) const {
        std::size_t j = i;
        if (j > 0 && at(j - 1) == U' ')
            --j;
        if (j == 0)
            return false;
        const char32_t last = at(j - 1);
        if (last >= U'0' && last <= U'9')
            return true;
        if (last != U'd' && last != U'u' && last != U'i')
            return false;
        for (std::size_t k = j - 1; k-- > 0 && j - k <= 4;) {
            if (at(k) == U'%')
                return true;
            if (!among(U"lhzjt", at(k)))
                return false;
        }
        return false;
    }

    // 得 standing alone: the modal "must" after whoever must (我得走、你得多穿) or a modal adverb
    // (還得), unless what follows says it is "obtain"; otherwise, between two characters, a verb's
    // complement marker (跑得很快、長得高), since "obtain" alone before anything else is rare.
    void mustOrComplement(std::size_t i) {
        if (isModal(i))
            phones_[i] = phone(u"ㄉㄟˇ");
        else if (isComplement(i))
            phones_[i] = phone(u"ㄉㄜ˙");
    }

    // Both see 得 with a character on each side, standing alone, not before "obtain"; but before
    // an idiom, a word of four characters, it is how something is done even where the idiom
    // begins with a number (長得一模一樣、忙得一塌糊塗).
    bool standsBetween(std::size_t i) const {
        return alone_[i] && i > 0 && isHan(at(i - 1)) && isHan(at(i + 1)) &&
               (!among(kAfterObtain, at(i + 1)) || lengthFrom_[i + 1] >= 4);
    }
    bool isModal(std::size_t i) const {
        if (!standsBetween(i))
            return false;
        const std::u32string_view before =
            i >= 2 ? std::u32string_view(&text_[i - 2], 2) : std::u32string_view();
        return among(kPersons, at(i - 1)) || among(kModalAdverbs, at(i - 1)) ||
               std::find(kModalAdverbWords.begin(), kModalAdverbWords.end(), before) !=
                   kModalAdverbWords.end();
    }
    bool isComplement(std::size_t i) const {
        return standsBetween(i) && !isModal(i) && !among(kBeforeObtain, at(i - 1));
    }

    // 地 after a doubled word makes it an adverb (慢慢地、高高興興地), even where the split joined
    // 地 to what follows (靜靜地面對). Standing alone after a word and before more, it is the
    // adverb's particle too (高興地搖著): the ground is a word of its own (土地、地上、各地), or
    // follows a measure (這塊地、一片地).
    void adverbial(std::size_t i) {
        if ((!alone_[i] && !startsWord_[i]) || i < 2 || !isHan(at(i - 1)))
            return;
        if (at(i - 1) == at(i - 2) ||
            (alone_[i] && endsWord_[i - 1] && isHan(at(i + 1)) && !among(kLandMeasures, at(i - 1))))
            phones_[i] = phone(u"ㄉㄜ˙");
    }

    // A word ending in 著 read ㄓㄨㄛˊ (穿著、衣著) before a number is a verb with its aspect
    // (穿著一件、帶著兩本): a noun does not take a number after it.
    void aspectBeforeANumber(std::size_t i) {
        if (endsWord_[i] && phones_[i] == phone(u"ㄓㄨㄛˊ") && among(kNumbers, at(i + 1)))
            phones_[i] = phone(u"ㄓㄜ˙");
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

    // 為 standing alone before a person is "for" (為你、為大家、為女兒寫).
    void forWhom(std::size_t i) {
        if (!alone_[i])
            return;
        const std::u32string_view next =
            text_.size() >= i + 3 ? std::u32string_view(&text_[i + 1], 2) : std::u32string_view();
        if (among(kPersonsAlone, at(i + 1)) || next == U"大家" || personWordAt(i + 1))
            phones_[i] = phone(u"ㄨㄟˋ");
    }

    // 行 alone, or ending a word of two, after a number or 每 這 那 is the measure of lines, or
    // in 這一行 a trade (一行字、第 3 行、每行、這一行): ㄏㄤˊ. Not before 人 or a number, where
    // 一行 is a party going somewhere (一行人、一行五人).
    void measureOfLines(std::size_t i) {
        const bool endsPair = i >= 1 && endsWord_[i] && startsWord_[i - 1];
        if ((!alone_[i] && !endsPair) || at(i + 1) == U'人' || among(kNumbers, at(i + 1)))
            return;
        if ((i >= 1 && among(kBeforeLines, at(i - 1))) || digitsBefore(i))
            phones_[i] = phone(u"ㄏㄤˊ");
    }

    // Taiwan's schoolbooks and the Ministry's dictionary write 一 and 不 with their own tones
    // (一定 ㄧ ㄉㄧㄥˋ, 不要 ㄅㄨˋ ㄧㄠˋ) and leave the change before the next syllable to the
    // reader; the list writes it in some words and not in others, so undo it everywhere. A neutral
    // tone (看一看、對不起) is the word's own and stays.
    void citationTones() {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            const int tone = zhuyin::toneOf(phones_[i]);
            if (phones_[i] == 0 || tone == zhuyin::kNeutralTone)
                continue;
            if (text_[i] == U'一' && tone != 0)
                phones_[i] = phone(u"ㄧ");
            else if (text_[i] == U'不' && tone != 4)
                phones_[i] = phone(u"ㄅㄨˋ");
        }
    }

    // A character standing alone that is plainly a verb takes its verb reading: before an aspect
    // marker (種了、中了) or a complement's 得 (長得), before a result or a direction (繫好、
    // 釘回去), doubled round 一 or 了 (數一數、量了量), before 一下 or 一會 (量一下、待一會兒), or
    // before a person (教我、哄弟弟), but for 待, which before a person is to treat them; before
    // 一點 or 一些, some of what it acts on (撒一點胡椒), but for 長 and 還, which are then
    // "longer" and "still". 種 before anything but what makes it a measure is to plant (種稻子).
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
        // The split may join 得 to what follows (得很); read as the complement there, it still
        // makes a verb of what comes before.
        const bool complement =
            after == U'得' &&
            (isComplement(i + 1) || (startsWord_[i + 1] && phones_[i + 1] == phone(u"ㄉㄜ˙")));
        const bool briefly = after == U'一' && (at(i + 2) == U'下' || at(i + 2) == U'會');
        const bool beforeAPerson =
            text_[i] != U'待' &&
            ((among(kPersons, after) && after != U'家' && after != U'們' && after != U'己') ||
             personWordAt(i + 1));
        const bool result = among(kResults, after) && i + 1 < text_.size() && alone_[i + 1];
        const std::u32string_view next2 =
            i + 3 <= text_.size() ? std::u32string_view(&text_[i + 1], 2) : std::u32string_view();
        const bool some =
            (next2 == U"一點" || next2 == U"一些") && text_[i] != U'長' && text_[i] != U'還';
        const bool plants = text_[i] == U'種' && isHan(after) &&
                            !(i >= 1 && among(kBeforeKinds, at(i - 1))) && !digitsBefore(i);
        const bool direction =
            std::find(kDirections.begin(), kDirections.end(), next2) != kDirections.end();
        if (among(kAspects, after) || complement || briefly || result || direction || doubled ||
            doubledSecond || beforeAPerson || some || plants)
            phones_[i] = reading;
    }

    std::span<const char32_t> text_;
    std::span<Phone> phones_;
    std::vector<bool> alone_, startsWord_, endsWord_;
    std::vector<std::size_t> lengthFrom_; // of the piece that begins there, else 0
};

} // namespace

void applyContextRules(std::span<const char32_t> text, std::span<const Word> pieces,
                       std::span<zhuyin::Phone> phones) {
    Line(text, pieces, phones).apply();
}

} // namespace phonetic
