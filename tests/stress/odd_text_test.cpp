// Text that is not plain Chinese: each character is listed on a line of its own, whatever it is,
// and pointing anywhere along it shows a whole character of it.
#include "platform/codepage/Utf16.h"
#include "tests/support/StressSupport.h"
#include "tests/support/WindowFixture.h"
#include "window/Characters.h"

namespace {

using namespace stress;

struct OddText {
    const char* name;
    const char16_t* text;
    int length;                                   // code units, for texts holding U+0000
    std::vector<const char16_t*> readingsOfLines; // one per character
};

class OddTexts : public WindowTest, public ::testing::WithParamInterface<OddText> {
protected:
    QString text() const { return QString::fromUtf16(GetParam().text, GetParam().length); }
};

TEST_P(OddTexts, AreListedALinePerCharacterAndPointedWhole) {
    const QString input = text();
    type(input);
    ASSERT_EQ(w->很多行.Text(), input);
    pressAnalyse();

    // The characters as the listing walks them: a surrogate pair is one, a lone surrogate one.
    QStringList characters;
    for (qsizetype i = 0; i < input.size(); i += characters.back().size())
        characters << input.mid(i, codepage::isSurrogatePairAt(input, i) ? 2 : 1);
    const auto& readings = GetParam().readingsOfLines;
    ASSERT_EQ(std::size_t(characters.size()), readings.size());

    const QStringList lines = listedLines(w->分析文章.Text());
    ASSERT_EQ(lines.size(), characters.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], characters[i] + u' ' + QString::fromUtf16(readings[i])) << i;
    EXPECT_EQ(w->currentChar, characters.back());

    crossBareWindow();
    for (double x = -300; x < 3000; x += 20) {
        pointAt(x);
        const QString pointed = w->Label1.Caption();
        EXPECT_TRUE(pointed.isEmpty() || characters.contains(pointed)) << x;
        EXPECT_EQ(w->currentChar, pointed) << x;
    }
    EXPECT_TRUE(told.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OddTexts,
    ::testing::Values(
        OddText{
            "control_characters", u"\t\x01\x1b\x7f\x08中", 6, {u"", u"", u"", u"", u"", u"ㄓㄨㄥ"}},
        OddText{"zero_unit", u"中\0文", 3, {u"ㄓㄨㄥ", u"", u"ㄨㄣˊ"}},
        OddText{
            "lone_surrogates", u"\xDC00中\xD800文\xD83D", 5, {u"", u"ㄓㄨㄥ", u"", u"ㄨㄣˊ", u""}},
        OddText{"reversed_pair", u"\xDE00\xD83D", 2, {u"", u""}},
        OddText{"outside_code_page_950",
                u"é한\U0001F600\U00020000中",
                7,
                {u"", u"", u"", u"", u"ㄓㄨㄥ"}},
        OddText{"full_width_spaces", u"中\u3000文\u3000", 4, {u"ㄓㄨㄥ", u"", u"ㄨㄣˊ", u""}},
        OddText{"combining_marks", u"e\u0301中\u0301\u20DD", 5, {u"", u"", u"ㄓㄨㄥ", u"", u""}},
        OddText{"invisible_and_bidi_marks",
                u"\u200B\u202E中\uFEFF\u2066",
                5,
                {u"", u"", u"ㄓㄨㄥ", u"", u""}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
