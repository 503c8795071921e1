#include "platform/imm/Zhuyin.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace imm::zhuyin;

struct SyllableCase {
    const char* name;
    Phone phone;
    const char16_t* text;
    const char* keys;
};

void PrintTo(const SyllableCase& c, std::ostream* os) {
    *os << c.name;
}

class Syllables : public ::testing::TestWithParam<SyllableCase> {};

TEST_P(Syllables, SpellAndType) {
    const SyllableCase& c = GetParam();
    EXPECT_EQ(toText(c.phone), QString::fromUtf16(c.text));
    EXPECT_EQ(keystrokes(c.phone), c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Phones, Syllables,
    ::testing::Values(SyllableCase{"FirstToneHasNoMark", makePhone(15, 2, 12, 0), u"ㄓㄨㄥ",
                                   "5j/ "},
                      SyllableCase{"NeutralTone", makePhone(5, 0, 3, 1), u"ㄉㄜ˙", "2k7"},
                      SyllableCase{"SecondTone", makePhone(14, 1, 12, 2), u"ㄒㄧㄥˊ", "vu/6"},
                      SyllableCase{"ThirdTone", makePhone(8, 3, 0, 3), u"ㄌㄩˇ", "xm3"},
                      SyllableCase{"FourthTone", makePhone(19, 0, 0, 4), u"ㄗˋ", "y4"},
                      SyllableCase{"MedialAlone", makePhone(0, 1, 0, 0), u"ㄧ", "u "},
                      SyllableCase{"LastOfEachPart", makePhone(21, 3, 13, 4), u"ㄙㄩㄦˋ", "nm-4"},
                      SyllableCase{"BareToneIsNoSyllable", makePhone(0, 0, 0, 2), u"ˊ", ""},
                      SyllableCase{"InitialOutOfRange", makePhone(22, 0, 1, 0), u"", ""},
                      SyllableCase{"FinalOutOfRange", makePhone(1, 0, 14, 0), u"", ""},
                      SyllableCase{"ToneOutOfRange", makePhone(1, 0, 1, 5), u"", ""},
                      SyllableCase{"Nothing", 0, u"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZhuyinTest, ReadingsThatDifferOnlyInToneShareTheirBase) {
    EXPECT_EQ(baseOf(makePhone(9, 0, 3, 1)), baseOf(makePhone(9, 0, 3, 4)));
    EXPECT_NE(baseOf(makePhone(9, 0, 3, 4)), baseOf(makePhone(9, 0, 2, 4)));
}

} // namespace
