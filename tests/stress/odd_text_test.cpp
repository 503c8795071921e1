// Text that is not plain Chinese: each character, as the user sees it, is listed on a line of its
// own whatever it is (a control character by its picture), and pointing anywhere along the text
// shows a whole character of it.
#include "tests/support/StressSupport.h"
#include "tests/support/WindowFixture.h"

namespace {

using namespace stress;

struct OddText {
    const char* name;
    const char16_t* text;
    int length;                                   // code units, for texts holding U+0000
    std::vector<int> characterLengths;            // code units of each character in turn
    std::vector<const char16_t*> readingsOfLines; // one per character
    friend void PrintTo(const OddText& t, std::ostream* os) { *os << t.name; }
};

// How a line shows its character: a control character by its control picture.
QString shown(QString character) {
    if (character.size() == 1 && character[0].unicode() < 0x20)
        return QChar(char16_t(0x2400 + character[0].unicode()));
    if (character == QChar(0x7F))
        return QChar(char16_t(0x2421));
    return character;
}

class OddTexts : public WindowTest, public ::testing::WithParamInterface<OddText> {
protected:
    QString text() const { return QString::fromUtf16(GetParam().text, GetParam().length); }
};

TEST_P(OddTexts, AreListedALinePerCharacterAndPointedWhole) {
    const QString input = text();
    type(input);
    ASSERT_EQ(w->很多行.Text(), input);
    pressAnalyse();

    QStringList characters;
    qsizetype start = 0;
    for (int length : GetParam().characterLengths) {
        characters << input.mid(start, length);
        start += length;
    }
    ASSERT_EQ(start, input.size());
    const auto& readings = GetParam().readingsOfLines;
    ASSERT_EQ(std::size_t(characters.size()), readings.size());

    const QStringList lines = listedLines(w->分析文章.Text());
    ASSERT_EQ(lines.size(), characters.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], shown(characters[i]) + u' ' + QString::fromUtf16(readings[i])) << i;
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
    ::testing::Values(OddText{"control_characters",
                              u"\t\x01\x1b\x7f\x08\r\n中",
                              8,
                              {1, 1, 1, 1, 1, 1, 1, 1},
                              {u"", u"", u"", u"", u"", u"", u"", u"ㄓㄨㄥ"}},
                      OddText{"zero_unit", u"中\0文", 3, {1, 1, 1}, {u"ㄓㄨㄥ", u"", u"ㄨㄣˊ"}},
                      OddText{"lone_surrogates",
                              u"\xDC00中\xD800文\xD83D",
                              5,
                              {1, 1, 1, 1, 1},
                              {u"", u"ㄓㄨㄥ", u"", u"ㄨㄣˊ", u""}},
                      OddText{"reversed_pair", u"\xDE00\xD83D", 2, {1, 1}, {u"", u""}},
                      OddText{"outside_code_page_950",
                              u"é한\U0001F600\U00020000中",
                              7,
                              {1, 1, 2, 2, 1},
                              {u"", u"", u"", u"", u"ㄓㄨㄥ"}},
                      OddText{"full_width_spaces",
                              u"中\u3000文\u3000",
                              4,
                              {1, 1, 1, 1},
                              {u"ㄓㄨㄥ", u"", u"ㄨㄣˊ", u""}},
                      OddText{"combining_marks", u"e\u0301中\u0301\u20DD", 5, {2, 3}, {u"", u""}},
                      OddText{"emoji_sequence_and_flag",
                              u"\U0001F468\u200D\U0001F469\u200D\U0001F467\U0001F1F9\U0001F1FC中",
                              13,
                              {8, 4, 1},
                              {u"", u"", u"ㄓㄨㄥ"}},
                      OddText{"invisible_and_bidi_marks",
                              u"\u200B\u202E中\uFEFF\u2066",
                              5,
                              {1, 1, 1, 1, 1},
                              {u"", u"", u"ㄓㄨㄥ", u"", u""}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
