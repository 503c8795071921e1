#include "platform/phonetic/ContextRules.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using phonetic::zhuyin::Phone;

// A word's characters all read ㄅ here: what matters is whether a rule rewrites them.
const Phone kWordPhone = *phonetic::zhuyin::fromText(u"ㄅ");

// The reading of each character of `line` after the rules, separated by "/": words are written
// separated by spaces, "-" stands for a character left to its first reading, "ㄅ" for a word's
// reading kept.
std::string readingsAfterRules(const QString& line) {
    std::u32string text;
    std::vector<phonetic::Word> pieces;
    std::vector<Phone> phones;
    for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
        const std::u32string characters = word.toStdU32String();
        pieces.push_back({text.size(), characters.size(),
                          characters.size() == 1 ? phonetic::Lexicon::kNone : 1u});
        text += characters;
        phones.insert(phones.end(), characters.size(), characters.size() == 1 ? 0 : kWordPhone);
    }
    phonetic::applyContextRules(text, pieces, phones);
    QStringList out;
    for (const Phone p : phones)
        out << (p == 0 ? QStringLiteral("-") : phonetic::zhuyin::toText(p));
    return out.join(u'/').toStdString();
}

TEST(ContextRules, SettleWhatTheWordsCannot) {
    const struct {
        const char* name;
        const char16_t* line;
        const char* readings;
    } rows[] = {
        // 得: "must" after whoever must or a modal adverb, "obtain" when aspect or a number
        // follows, a verb's complement before a degree word; a word's 得 is the word's.
        {"MustAfterAPerson", u"我 得 走", "-/ㄉㄟˇ/-"},
        {"MustAfterAPluralPerson", u"我們 得 把", "ㄅ/ㄅ/ㄉㄟˇ/-"},
        {"MustAfterAModalAdverb", u"還 得 寫", "-/ㄉㄟˇ/-"},
        {"ObtainBeforeAspect", u"他 得 了 獎", "-/-/-/-"},
        {"ObtainBeforeANumber", u"她 得 第 一", "-/-/-/-"},
        {"NothingAtTheEndOfTheLine", u"我 得", "-/-"},
        {"NothingBeforePunctuation", u"我 得 。", "-/-/-"},
        {"ComplementBeforeADegreeWord", u"跑 得 很 快", "-/ㄉㄜ˙/-/-"},
        {"ComplementBetweenCharacters", u"多 得 數 不 清", "-/ㄉㄜ˙/-/-/-"},
        {"MustAfterAnAdverbOfTwo", u"至少 得 選", "ㄅ/ㄅ/ㄉㄟˇ/-"},
        {"MustAfterAnAdverbOfTwoSplitApart", u"也 許 得 執行", "-/-/ㄉㄟˇ/ㄅ/ㄅ"},
        {"ObtainAfterAConjunction", u"計算 而 得 的", "ㄅ/ㄅ/-/-/-"},
        {"HadToAfterOnly", u"只 得 走", "-/-/-"},
        {"ComplementMakesTheVerb", u"長 得 高", "ㄓㄤˇ/ㄉㄜ˙/-"},
        {"ObtainMakesNoVerb", u"數 得 第 一", "-/-/-/-"},
        {"ComplementBeforeAnIdiomThatBeginsWithANumber", u"長 得 一模一樣",
         "ㄓㄤˇ/ㄉㄜ˙/ㄅ/ㄅ/ㄅ/ㄅ"},
        {"ObtainBeforeANumberWord", u"得 一百 分", "-/ㄅ/ㄅ/-"},
        {"NothingAtTheStartOfTheLine", u"得 很", "-/-"},
        {"AWordsOwn", u"記得 很", "ㄅ/ㄅ/-"},
        // 地 after a doubled word is the adverb's particle, even joined to the next word.
        {"AdverbAfterADoubledCharacter", u"慢 慢 地 走", "-/-/ㄉㄜ˙/-"},
        {"AdverbAfterADoubledWord", u"高 高 興 興 地", "-/-/-/-/ㄉㄜ˙"},
        {"AdverbJoinedToTheNextWord", u"靜 靜 地面 對", "-/-/ㄉㄜ˙/ㄅ/-"},
        {"GroundOtherwise", u"天 地 之 間", "-/-/-/-"},
        {"AdverbAfterAWord", u"高興 地 搖", "ㄅ/ㄅ/ㄉㄜ˙/-"},
        {"GroundAfterAMeasure", u"這塊 地 要", "ㄅ/ㄅ/-/-"},
        {"NothingAfterIt", u"高興 地", "ㄅ/ㄅ/-"},
        {"GroundAfterACharacterAlone", u"在 地 上", "-/-/-"},
        {"NoDoublingAtTheStart", u"地 地", "-/-"},
        // 都 after people is "all", even where the list joins it to the next word.
        {"AllAfterPeople", u"他們 都會 說", "ㄅ/ㄅ/ㄉㄡ/ㄅ/-"},
        {"CityOtherwise", u"首 都", "-/-"},
        // 長 after a degree adverb is "long" unless it grows.
        {"LongAfterADegreeAdverb", u"很 長", "-/ㄔㄤˊ"},
        {"LongWhereTheListJoinsThePair", u"很長 的", "ㄅ/ㄔㄤˊ/-"},
        {"HowLong", u"有 多 長 。", "-/-/ㄔㄤˊ/-"},
        {"GrowsDespiteTheAdverb", u"很 長 大", "-/-/-"},
        {"TooLong", u"太 長 了", "-/ㄔㄤˊ/-"},
        {"AWordThatBeginsWithIt", u"很 長壽", "-/ㄅ/ㄅ"},
        {"AThreeCharacterWordUntouched", u"很長久", "ㄅ/ㄅ/ㄅ"},
        // A verb standing alone takes its verb reading before aspect, doubled, or before a person.
        {"VerbBeforeAspect", u"種 了 樹", "ㄓㄨㄥˋ/-/-"},
        {"HitBeforeAspect", u"中 了 獎", "ㄓㄨㄥˋ/-/-"},
        {"DoubledRoundOne", u"數 一 數", "ㄕㄨˇ/-/ㄕㄨˇ"},
        {"DoubledRoundAspect", u"量 了 量", "ㄌㄧㄤˊ/-/ㄌㄧㄤˊ"},
        {"BeforeAPerson", u"教 我 們", "ㄐㄧㄠ/-/-"},
        {"BeforeAWordForAPerson", u"哄 弟弟 睡", "ㄏㄨㄥˇ/ㄅ/ㄅ/-"},
        {"NotBeforeAWordThatBeginsLikeOne", u"哄 弟 弟", "-/-/-"},
        {"TreatIsNoStay", u"待 他", "-/-"},
        {"StayBriefly", u"待 一會兒", "ㄉㄞ/ㄅ/ㄅ/ㄅ"},
        {"ReturnToAPerson", u"還 他 錢", "ㄏㄨㄢˊ/-/-"},
        {"PlantsBeforeWhatItPlants", u"裡 種 稻子", "-/ㄓㄨㄥˋ/ㄅ/ㄅ"},
        {"AKindAfterANumber", u"三 種 方法", "-/-/ㄅ/ㄅ"},
        {"AKindAfterDigits", u"5 種 方法", "-/-/ㄅ/ㄅ"},
        {"AKindWhereOneIsLeftOut", u"是 種 享受", "-/-/ㄅ/ㄅ"},
        {"NoPlantingBeforePunctuation", u"去 種 。", "-/-/-"},
        {"SomeOfWhatItActsOn", u"撒 一點 鹽", "ㄙㄚˇ/ㄅ/ㄅ/-"},
        {"LongerByALittle", u"長 一點", "-/ㄅ/ㄅ"},
        {"BeforeAResult", u"把 鞋帶 繫 好", "-/ㄅ/ㄅ/ㄐㄧˋ/-"},
        {"NotBeforeAWordThatBeginsWithAResult", u"釘 好看", "-/ㄅ/ㄅ"},
        {"BeforeADirection", u"釘 回去", "ㄉㄧㄥˋ/ㄅ/ㄅ"},
        {"NotBeforeHalfADirection", u"釘 回 家", "-/-/-"},
        {"BeforeBriefly", u"量 一下", "ㄌㄧㄤˊ/ㄅ/ㄅ"},
        {"DirectionAtTheEndOfTheLine", u"卡 住", "ㄑㄧㄚˇ/-"},
        {"NotBeforeTooMuch", u"偏移 量 過 大", "ㄅ/ㄅ/-/-/-"},
        {"NotACharacterOfTheTable", u"好 了", "-/-"},
        {"NotInsideAWord", u"中了 獎", "ㄅ/ㄅ/-"},
        // 為 before a person is "for".
        {"ForAPerson", u"為 你 好", "ㄨㄟˋ/-/-"},
        {"ForEveryone", u"為 大家", "ㄨㄟˋ/ㄅ/ㄅ"},
        {"ForAWordForAPerson", u"為 女兒 寫", "ㄨㄟˋ/ㄅ/ㄅ/-"},
        {"BeOtherwise", u"以 農 為 主", "-/-/-/-"},
        {"AWordsOwnFor", u"認為 他", "ㄅ/ㄅ/-"},
        {"ForAtTheEnd", u"為", "-"},
        // 行 after a number or 每 這 那 is the measure of lines, unless it is a party of people.
        {"LinesAfterANumber", u"兩 行 字", "-/ㄏㄤˊ/-"},
        {"LinesEndingAWordOfTwo", u"這 一行 字", "-/ㄅ/ㄏㄤˊ/-"},
        {"LinesAfterDigits", u"第 7 行", "-/-/ㄏㄤˊ"},
        {"LinesAfterAPrintedNumber", u"第 %lu 行", "-/ㄅ/ㄅ/ㄅ/ㄏㄤˊ"},
        {"NotAfterLettersThatEndLikeOne", u"第 lu 行", "-/ㄅ/ㄅ/-"},
        {"APartyBeforeANumber", u"一行 五 人", "ㄅ/ㄅ/-/-"},
        {"APartyBeforePeople", u"一 行 人", "-/-/-"},
        {"WalkOtherwise", u"步 行", "-/-"},
        {"NotAtTheStart", u"行 字", "-/-"},
        // 似 before 的 is the particle 似的.
        {"AsIfBeforeTheParticle", u"孩子 似 的", "ㄅ/ㄅ/ㄕˋ/-"},
        {"SimilarIsAWord", u"相似 的", "ㄅ/ㄅ/-"},
        {"NotBeforeAWordThatBeginsWithIt", u"似 的確", "-/ㄅ/ㄅ"},
        // 了 after a verb and 不 says whether it can be done.
        {"CannotBeDone", u"做 不 了 主", "-/-/ㄌㄧㄠˇ/-"},
        {"NotAtTheStartOfTheLine", u"不 了", "-/-"},
        {"NotAfterAWordThatEndsInNot", u"要不 了", "ㄅ/ㄅㄨˋ/-"},
        {"Empty", u"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readingsAfterRules(QString::fromUtf16(row.line)), row.readings) << row.name;
}

// Readings a rule sees in a word's own reading: 一 and 不 keep their own tones whatever the word
// gave them, and a 著 read as in 穿著 becomes the aspect before a number.
TEST(ContextRules, RewriteWhatTheWordsRead) {
    const struct {
        const char* name;
        const char16_t* words;    // separated by spaces
        const char16_t* readings; // of each character, space-separated; "-" for none
        const char* expected;
    } rows[] = {
        {"OneBeforeAFourthTone", u"一定", u"ㄧˊ ㄉㄧㄥˋ", "ㄧ/ㄉㄧㄥˋ"},
        {"OneBeforeAThirdTone", u"一起", u"ㄧˋ ㄑㄧˇ", "ㄧ/ㄑㄧˇ"},
        {"NotBeforeAFourthTone", u"不要", u"ㄅㄨˊ ㄧㄠˋ", "ㄅㄨˋ/ㄧㄠˋ"},
        {"AlreadyItsOwn", u"第一", u"ㄉㄧˋ ㄧ", "ㄉㄧˋ/ㄧ"},
        {"NeutralOneStays", u"看一看", u"ㄎㄢˋ ㄧ˙ ㄎㄢˋ", "ㄎㄢˋ/ㄧ˙/ㄎㄢˋ"},
        {"NeutralNotStays", u"對不起", u"ㄉㄨㄟˋ ㄅㄨ˙ ㄑㄧˇ", "ㄉㄨㄟˋ/ㄅㄨ˙/ㄑㄧˇ"},
        {"StandingAloneUntouched", u"不 一", u"- -", "-/-"},
        {"OtherCharactersUntouched", u"衣服", u"ㄧˊ ㄈㄨˊ", "ㄧˊ/ㄈㄨˊ"},
        {"WearingBeforeANumber", u"穿著 一 件", u"ㄔㄨㄢ ㄓㄨㄛˊ - -", "ㄔㄨㄢ/ㄓㄜ˙/-/-"},
        {"ClothingBeforeAnAdverb", u"穿著 很 好", u"ㄔㄨㄢ ㄓㄨㄛˊ - -", "ㄔㄨㄢ/ㄓㄨㄛˊ/-/-"},
        {"FamousBeforeANumberStays", u"著名 一", u"ㄓㄨˋ ㄇㄧㄥˊ -", "ㄓㄨˋ/ㄇㄧㄥˊ/-"},
        {"NumberAtTheEnd", u"衣著", u"ㄧ ㄓㄨㄛˊ", "ㄧ/ㄓㄨㄛˊ"},
        // A verb before 得 that the split joined to what follows, read there as the complement.
        {"VerbBeforeAComplementInAWord", u"長 得很 高", u"- ㄉㄜ˙ ㄏㄣˇ -", "ㄓㄤˇ/ㄉㄜ˙/ㄏㄣˇ/-"},
        {"NoVerbBeforeObtainInAWord", u"長 得到", u"- ㄉㄜˊ ㄉㄠˋ", "-/ㄉㄜˊ/ㄉㄠˋ"},
    };
    for (const auto& row : rows) {
        std::u32string text;
        std::vector<phonetic::Word> pieces;
        for (const QString& word : QString::fromUtf16(row.words).split(u' ')) {
            const std::u32string characters = word.toStdU32String();
            pieces.push_back({text.size(), characters.size(),
                              characters.size() == 1 ? phonetic::Lexicon::kNone : 1u});
            text += characters;
        }
        std::vector<Phone> phones;
        for (const QString& r : QString::fromUtf16(row.readings).split(u' '))
            phones.push_back(r == u"-" ? 0 : *phonetic::zhuyin::fromText(r));
        ASSERT_EQ(phones.size(), text.size()) << row.name;
        phonetic::applyContextRules(text, pieces, phones);
        QStringList out;
        for (const Phone p : phones)
            out << (p == 0 ? QStringLiteral("-") : phonetic::zhuyin::toText(p));
        EXPECT_EQ(out.join(u'/').toStdString(), row.expected) << row.name;
    }
}

} // namespace
