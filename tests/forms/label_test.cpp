#include "platform/forms/Label.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

forms::Label::Style gauge() {
    return {{QStringLiteral("新細明體"), 12, 400},
            forms::systemWindowText,
            0x000000FF,
            forms::Label::Align::Left,
            true,
            true};
}

struct SizeCase {
    const char* name;
    const char16_t* caption;
    float width;
    float height;
};

class AutoSize : public ::testing::TestWithParam<SizeCase> {};

// A full-width character and a line are both 240 twips; the flat border adds 30 to each.
TEST_P(AutoSize, FollowsCaption) {
    forms::Label label(QStringLiteral("gauge"), gauge());
    label.setCaption(QString::fromUtf16(GetParam().caption));
    EXPECT_EQ(label.Width(), GetParam().width);
    EXPECT_EQ(label.Height(), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, AutoSize,
    ::testing::Values(SizeCase{"empty", u"", 30, 270}, SizeCase{"one_character", u"中", 270, 270},
                      SizeCase{"three_characters", u"中文字", 750, 270},
                      SizeCase{"half_width_pair", u"ab", 270, 270},
                      SizeCase{"crlf_widest_line_counts", u"中\r\n中文字", 750, 510},
                      SizeCase{"lone_lf_breaks", u"中文\n字", 510, 510},
                      SizeCase{"lone_cr_breaks", u"中\r文字", 510, 510},
                      SizeCase{"trailing_break_adds_line", u"中文\r\n", 510, 510},
                      SizeCase{"no_wrapping", u"中文字中文字中文字中文字中文字", 3630, 270}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Label, KeepsLaidOutSizeUntilCaptionIsSet) {
    forms::Label label(QStringLiteral("link"), gauge(), QStringLiteral("進入官方站"));
    label.move(120, 2280, 1200, 240);
    EXPECT_EQ(label.Width(), 1200);
    label.setCaption(label.Caption());
    EXPECT_EQ(label.Width(), 5 * 240 + 30);
}

TEST(Label, SurrogatePairMeasuresAsOneCharacter) {
    forms::Label label(QStringLiteral("gauge"), gauge());
    label.setCaption(QString::fromUtf16(u"\U00020000")); // a CJK character outside 16 bits
    const float one = label.Width();
    EXPECT_EQ(label.longestPrefixWithin(QString::fromUtf16(u"\U00020000\U00020000"), one), 2);
    EXPECT_EQ(label.longestPrefixWithin(QString::fromUtf16(u"\U00020000\U00020000"), one - 1), 0);
}

// The prefix search must agree with what the label reports once the prefix is its caption, for
// any mix of widths and line breaks.
TEST(Label, LongestPrefixAgreesWithWidth) {
    const QString alphabet = QString::fromUtf16(u"中文 a\r\nW，字i");
    QRandomGenerator random(7);
    forms::Label label(QStringLiteral("gauge"), gauge());
    for (int round = 0; round < 200; ++round) {
        QString text;
        const int length = random.bounded(0, 30);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(alphabet.size())];
        const double limit = random.bounded(0, 12) * 120 + random.bounded(0, 3) * 15;
        const qsizetype k = label.longestPrefixWithin(text, limit);
        if (k > 0 || limit >= 30) {
            label.setCaption(text.left(k));
            EXPECT_LE(label.Width(), limit) << text.toStdString() << " k=" << k;
        }
        if (k < text.size()) {
            label.setCaption(text.left(k + 1));
            EXPECT_GT(label.Width(), limit) << text.toStdString() << " k=" << k;
        }
    }
}

} // namespace
