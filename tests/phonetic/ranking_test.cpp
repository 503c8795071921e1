// The ranking rules on made-up figures.
#include "platform/phonetic/Ranking.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using phonetic::ReadingUsage;
using phonetic::zhuyin::fromText;
using phonetic::zhuyin::Phone;

Phone phone(const char16_t* text) {
    return *fromText(QStringView(text));
}

struct Figures {
    const char16_t* reading;
    std::uint64_t weight = 0, wordInitialWeight = 0;
};

TEST(RankingTest, RulesOrderOneCharactersReadings) {
    const struct {
        const char* name;
        char32_t character;
        std::vector<Figures> readings; // in the engine's order
        std::vector<const char16_t*> leading;
        std::vector<const char16_t*> expected;
    } rows[] = {
        {"HeavierFirst",
         U'行',
         {{u"ㄏㄤˊ", 80, 50}, {u"ㄒㄧㄥˊ", 100, 0}},
         {},
         {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}},
        {"EqualWeightsKeepTheEnginesOrder",
         U'行',
         {{u"ㄏㄤˊ", 5}, {u"ㄏㄤˋ"}, {u"ㄒㄧㄥˊ", 5}, {u"ㄒㄧㄥˋ"}},
         {},
         {u"ㄏㄤˊ", u"ㄒㄧㄥˊ", u"ㄏㄤˋ", u"ㄒㄧㄥˋ"}},
        // 一個 makes the neutral tone heavier, but 個 begins words with its full tone.
        {"FullToneThatBeginsWordsBeatsTheNeutralTone",
         U'個',
         {{u"ㄍㄜ˙", 194017, 0}, {u"ㄍㄜˋ", 40080, 35743}},
         {},
         {u"ㄍㄜˋ", u"ㄍㄜ˙"}},
        {"FullToneRarelyBeginningWordsLeavesTheNeutralTone",
         U'嗎',
         {{u"ㄇㄚˇ", 430, 113}, {u"ㄇㄚ˙", 3005, 0}},
         {},
         {u"ㄇㄚ˙", u"ㄇㄚˇ"}},
        {"ParticleTakesItsNeutralToneHoweverLight",
         U'呢',
         {{u"ㄋㄜ"}, {u"ㄋㄜ˙"}, {u"ㄋㄧˊ", 209, 192}},
         {},
         {u"ㄋㄜ˙", u"ㄋㄧˊ", u"ㄋㄜ"}},
        {"SameFiguresOnAnotherCharacterKeepTheWord",
         U'尼',
         {{u"ㄋㄜ"}, {u"ㄋㄜ˙"}, {u"ㄋㄧˊ", 209, 192}},
         {},
         {u"ㄋㄧˊ", u"ㄋㄜ", u"ㄋㄜ˙"}},
        {"ParticleWithoutANeutralToneKeepsItsOrder",
         U'喲',
         {{u"ㄧㄛ"}, {u"ㄧㄠ", 26}},
         {},
         {u"ㄧㄠ", u"ㄧㄛ"}},
        {"ReviewedOrderComesFirst",
         U'長',
         {{u"ㄓㄤˇ", 93254, 5452}, {u"ㄓㄤˋ", 25}, {u"ㄔㄤˊ", 44003, 28310}},
         {u"ㄔㄤˊ"},
         {u"ㄔㄤˊ", u"ㄓㄤˇ", u"ㄓㄤˋ"}},
        {"ReviewedOrderOfSeveralReadings",
         U'長',
         {{u"ㄓㄤˇ", 9}, {u"ㄓㄤˋ", 2}, {u"ㄔㄤˊ", 4}},
         {u"ㄓㄤˋ", u"ㄔㄤˊ"},
         {u"ㄓㄤˋ", u"ㄔㄤˊ", u"ㄓㄤˇ"}},
        {"ReviewedOrderNeverAddsAReading",
         U'長',
         {{u"ㄓㄤˇ", 9}, {u"ㄔㄤˊ", 4}},
         {u"ㄓㄤ", u"ㄔㄤˊ", u"ㄔㄤˊ"},
         {u"ㄔㄤˊ", u"ㄓㄤˇ"}},
        {"ReviewedOrderOverrulesTheParticleRule",
         U'呢',
         {{u"ㄋㄜ˙"}, {u"ㄋㄧˊ", 209, 192}},
         {u"ㄋㄧˊ"},
         {u"ㄋㄧˊ", u"ㄋㄜ˙"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<ReadingUsage> readings;
        for (const Figures& f : row.readings)
            readings.push_back({row.character, phone(f.reading), f.weight, f.wordInitialWeight});
        std::vector<Phone> leading, expected, ranked;
        for (const char16_t* r : row.leading)
            leading.push_back(phone(r));
        for (const char16_t* r : row.expected)
            expected.push_back(phone(r));
        phonetic::rankReadings(readings, leading);
        for (const ReadingUsage& r : readings)
            ranked.push_back(r.phone);
        EXPECT_EQ(ranked, expected);
    }
}

} // namespace
