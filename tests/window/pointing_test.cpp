#include "tests/support/WindowFixture.h"

#include "platform/forms/EditView.h"

namespace {

using Pointing = WindowTest;

// 中文字 measures 750 twips in the gauge, 中文 510. At x = 500 the limit is 740: 文.
TEST_F(Pointing, PointedCharacterAndItsReading) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    pointAt(500);
    EXPECT_EQ(w->widthLimit, 740);
    EXPECT_EQ(w->Text7.Text(), QStringLiteral("中文"));
    EXPECT_EQ(w->限制寬度.Caption(), QStringLiteral("中文"));
    EXPECT_EQ(w->限制寬度.Width(), 510);
    EXPECT_EQ(w->currentChar, QStringLiteral("文"));
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄨㄣˊ"));
    EXPECT_EQ(w->readyFlag, -1);
}

struct Case {
    const char* name;
    const char16_t* text;
    double x;
    const char16_t* pointed;
};

class PointedCharacter : public WindowTest, public ::testing::WithParamInterface<Case> {};

TEST_P(PointedCharacter, IsTheLastOfTheLongestFittingPrefix) {
    type(QString::fromUtf16(GetParam().text));
    crossBareWindow();
    pointAt(GetParam().x);
    EXPECT_EQ(w->currentChar, QString::fromUtf16(GetParam().pointed));
    EXPECT_EQ(w->Label1.Caption(), QString::fromUtf16(GetParam().pointed));
}

INSTANTIATE_TEST_SUITE_P(Texts, PointedCharacter,
                         ::testing::Values(
                             // a limit exactly equal to the gauge's width fits: 270 + 240 = 510
                             Case{"equal_width_fits", u"中文字", 270, u"文"},
                             Case{"just_short", u"中文字", 269, u"中"},
                             Case{"right_of_the_text", u"中文字", 5000, u"字"},
                             Case{"trailing_spaces_dropped", u"中文  ", 5000, u"文"},
                             Case{"over_a_space", u"中 文", 300, u"中"},
                             Case{"spaces_only", u"    ", 200, u""},
                             Case{"left_of_everything", u"中文字", -300, u""},
                             // lines are measured side by side: the widest one judges the prefix
                             Case{"second_line", u"中文\r\n字", 400, u"字"},
                             Case{"ends_on_a_break", u"a\r\n中", -40, u"\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A character that the user sees as one (a surrogate pair, a letter with its accent, an emoji
// sequence, a character with its variation selector) is pointed at whole, and the gauge measures
// it as the box draws it, so the characters after it are found under the pointer too.
struct Drawn {
    const char* name;
    std::vector<const char16_t*> characters;
    friend void PrintTo(const Drawn& d, std::ostream* os) { *os << d.name; }
};

class CharacterUnderThePointer : public WindowTest, public ::testing::WithParamInterface<Drawn> {};

TEST_P(CharacterUnderThePointer, IsTheWholeOneDrawnThere) {
    QStringList characters;
    for (const char16_t* c : GetParam().characters)
        characters << QString::fromUtf16(c);
    type(characters.join(QString()));
    crossBareWindow();
    auto* view = static_cast<forms::EditView*>(w->很多行.widget());
    const auto drawnAt = [view](qsizetype position) {
        return view->characterRect(position).left();
    };
    const int start = drawnAt(0);
    qsizetype end = 0;
    for (const QString& character : characters) {
        end += character.size();
        const int right = drawnAt(end) - start; // pixels from the text's start
        pointAt((right - 4) * 15.0);
        EXPECT_EQ(w->Label1.Caption(), character) << end;
        // The text plus the border; advances are summed in whole pixels, the box may place a glyph
        // a fraction of a pixel earlier.
        EXPECT_EQ(w->限制寬度.Width(), (right + 2) * 15) << end;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CharacterUnderThePointer,
    ::testing::Values(Drawn{"surrogate_pairs", {u"\U0001F600", u"\U0001F600", u"中"}},
                      Drawn{"accent_as_a_mark", {u"e\u0301", u"中", u"文"}},
                      Drawn{"emoji_family",
                            {u"\U0001F468\u200D\U0001F469\u200D\U0001F467", u"中", u"文", u"字"}},
                      Drawn{"flag", {u"\U0001F1F9\U0001F1FC", u"中"}},
                      Drawn{"variation_selector", {u"字\U000E0100", u"中"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pointing, NoReadingUntilTheBareWindowIsCrossed) {
    type(QStringLiteral("中文字"));
    pointAt(500);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
    EXPECT_EQ(w->注音解說.Caption(), QString());
    EXPECT_EQ(ime->lookups, 0);
    EXPECT_EQ(w->readyFlag, 0);
}

TEST_F(Pointing, OneCharacterIsLookedUpOnEveryMove) {
    type(QStringLiteral("中"));
    w->widthLimit = 17;
    pointAt(3000);
    pointAt(-100);
    EXPECT_EQ(ime->lookups, 2);
    EXPECT_EQ(w->widthLimit, 17);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("中"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄓㄨㄥ"));
    EXPECT_EQ(w->readyFlag, -1);
}

TEST_F(Pointing, OneLookupPerMouseMove) {
    type(QString(200, QChar(u'字')));
    crossBareWindow();
    pointAt(300);
    EXPECT_EQ(w->Text7.Text(), QStringLiteral("字字"));
    EXPECT_EQ(ime->lookups, 1);
}

// A text that fits whole leaves the prefix store unchanged from one visit of its end to the next;
// the labels that the bare window cleared in between show its last character again.
TEST_F(Pointing, EveryVisitToTheEndOfAShortTextShowsItsLastCharacter) {
    type(QStringLiteral("中文"));
    for (int visit = 0; visit < 3; ++visit) {
        crossBareWindow();
        pointAt(5000);
        EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文")) << visit;
        EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄨㄣˊ")) << visit;
    }
    EXPECT_EQ(w->Text7.Text(), QStringLiteral("中文"));
    EXPECT_EQ(ime->lookups, 3);
    pointAt(100);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("中"));
}

TEST_F(Pointing, BareWindowClearsBothLabelsAndTheLinkColour) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    pointAt(500);
    w->開啟官方.setForeColor(0x000000C0);
    crossBareWindow();
    EXPECT_EQ(w->Label1.Caption(), QString());
    EXPECT_EQ(w->注音解說.Caption(), QString());
    EXPECT_EQ(w->開啟官方.ForeColor(), forms::systemButtonText);
}

// An emptied box shows nothing of the text it held before.
TEST_F(Pointing, EmptyBoxEmptiesThePrefixStore) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    pointAt(5000);
    type({});
    pointAt(-200);
    EXPECT_EQ(w->Text7.Text(), QString());
    EXPECT_EQ(w->currentChar, QString());
    EXPECT_EQ(w->Label1.Caption(), QString());
    EXPECT_EQ(w->注音解說.Caption(), QString());
}

TEST_F(Pointing, FailedLookupEmptiesTheReadingAndHoldsOffFurtherLookups) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    pointAt(100);
    ASSERT_EQ(w->注音解說.Caption(), QStringLiteral("ㄓㄨㄥ"));
    ime->fail = true;
    pointAt(500);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
    EXPECT_EQ(w->注音解說.Caption(), QString());
    EXPECT_EQ(w->readyFlag, 0);
    ime->fail = false;
    const int before = ime->lookups;
    pointAt(100);
    EXPECT_EQ(ime->lookups, before);
    EXPECT_TRUE(told.isEmpty());
}

// A handler that runs inside the lookup's message processing and points elsewhere wins: the
// lookup reads currentChar only afterwards.
TEST_F(Pointing, LookupReadsTheNewestCharacterAfterMessages) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    whenMessagesRun([this] { w->currentChar = QStringLiteral("字"); });
    pointAt(100);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("中"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄗˋ"));
}

TEST_F(Pointing, MeasuresFromTheStartOfALongText) {
    QString text = QString(10000, QChar(u'中'));
    text[3] = u'字';
    type(text);
    crossBareWindow();
    pointAt(800); // four characters measure 990 twips, five 1230
    EXPECT_EQ(w->currentChar, QStringLiteral("字"));
    pointAt(1e9);
    EXPECT_EQ(w->Text7.Text().size(), 10000);
}

TEST_F(Pointing, PositionTooLargeForTheLimitKeepsTheOldLimit) {
    type(QStringLiteral("中文字"));
    pointAt(500);
    pointAt(3e10);
    EXPECT_EQ(w->widthLimit, 740);
}

} // namespace
