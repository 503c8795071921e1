#include "tests/support/WindowFixture.h"

#include "platform/forms/EditView.h"

#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

using Listing = WindowTest;

QStringList lines(const QString& listing) {
    QStringList result = listing.split(QStringLiteral("\r\n"));
    EXPECT_EQ(result.takeLast(), QString()) << "every line ends with CR LF";
    return result;
}

TEST_F(Listing, StartUpTextGivesALinePerCharacter) {
    pressAnalyse();
    const QStringList listed = lines(w->分析文章.Text());
    ASSERT_EQ(listed.size(), 23);
    EXPECT_EQ(listed[0], QStringLiteral("請 ㄑㄧㄥˇ"));
    EXPECT_EQ(listed[7], QStringLiteral("， "));
    EXPECT_EQ(listed[22], QStringLiteral("字 ㄗˋ"));
    const QString prompt = w->很多行.Text();
    for (int i = 0; i < 23; ++i)
        EXPECT_TRUE(listed[i].startsWith(prompt[i] + u' ')) << i;
    EXPECT_EQ(w->currentChar, QStringLiteral("字"));
    EXPECT_TRUE(w->查詢鈕.Visible());
}

// A listing shows from its first line, whether the box grows to fit it (the start-up text) or
// cuts it and scrolls (40 characters, twice: the second keeps the box's height).
TEST_F(Listing, ShowsFromItsFirstLineWhetherItFitsOrIsCut) {
    auto* box = static_cast<forms::EditView*>(w->分析文章.widget());
    for (const QString& input :
         {w->很多行.Text(), QString(40, QChar(u'字')), QString(40, QChar(u'中'))}) {
        type(input);
        pressAnalyse();
        QTest::qWait(50); // the box catches up within a frame
        EXPECT_EQ(box->verticalScrollBar()->maximum() > 1, input.size() == 40) << input.size();
        EXPECT_EQ(box->topRow(), 0) << input.size();
        EXPECT_EQ(box->positionAtPoint({3, 3}), 0) << input.size();
    }
}

TEST_F(Listing, ButtonShowsItsPressedFaceUntilTheListingEnds) {
    type(QStringLiteral("中"));
    bool raisedDuringListing = true;
    ime->duringLookup = [&] { raisedDuringListing = w->查詢鈕.Visible(); };
    mouse(forms::Form::MouseAction::Down, analyse.x(), analyse.y(), forms::RightButton,
          forms::RightButton);
    EXPECT_FALSE(w->查詢鈕.Visible());
    mouse(forms::Form::MouseAction::Move, 100, 2600, 0, forms::RightButton);
    mouse(forms::Form::MouseAction::Up, 100, 2600, forms::RightButton, 0);
    EXPECT_FALSE(raisedDuringListing);
    EXPECT_TRUE(w->查詢鈕.Visible());
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n"));
}

TEST_F(Listing, EmptyInput) {
    type({});
    w->currentChar = QStringLiteral("字");
    w->分析文章.setText(QStringLiteral("old"));
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Text(), QString());
    EXPECT_EQ(ime->lookups, 0);
    EXPECT_EQ(w->currentChar, QStringLiteral("字"));
    EXPECT_EQ(w->分析文章.Height(), 240);
    EXPECT_EQ(w->Height(), 3135);
    EXPECT_EQ(w->開啟官方.Top(), 3135 - 240 - 600);
    EXPECT_EQ(w->官方2.Top(), w->開啟官方.Top());
    EXPECT_EQ(w->官方2.Left(), 135);
}

// The measuring label counts a line per line break, the listing's last one included: n
// characters measure (n + 1) × 240 twips. 40 characters measure 9840: the box is cut to 8500, which
// the platform holds as 567 pixels (8505 twips), and the window follows the height read back.
TEST_F(Listing, LongListingIsCutAndShortOneLowersTheWindowAgain) {
    type(QString(40, QChar(u'中')));
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Height(), 8505);
    EXPECT_EQ(w->Height(), 960 + 8505 + 600);
    EXPECT_EQ(w->開啟官方.Top(), w->Height() - 240 - 600);

    type(QStringLiteral("中文"));
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Height(), 720);
    EXPECT_EQ(w->Height(), 3135);
}

// The heights the window system gives the window.
struct HeightLog : QObject {
    std::vector<int> heights;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            heights.push_back(static_cast<QResizeEvent*>(event)->size().height());
        return false;
    }
};

// A cut listing sets the window's height twice, first far taller than any screen. The window
// system sees only the final height, no taller than the screen's free area (a 25-pixel frame
// below it); Height reads back what the listing set.
TEST_F(Listing, WindowSystemSeesOnlyTheFinalHeightAndNeverMoreThanTheScreen) {
    HeightLog log;
    w->installEventFilter(&log);
    const int screen = w->screen()->availableGeometry().height();
    type(QString(2000, QChar(u'中')));
    pressAnalyse();
    EXPECT_EQ(w->Height(), 960 + 8505 + 600);
    QCoreApplication::processEvents();
    type(QStringLiteral("中"));
    pressAnalyse();
    QCoreApplication::processEvents();
    EXPECT_EQ(log.heights, (std::vector<int>{std::min(646, screen - 25), 184}));
}

TEST_F(Listing, HeightBetweenFloorAndCapFollowsTheBox) {
    type(QString(20, QChar(u'中')));
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Height(), 21 * 240);
    EXPECT_EQ(w->Height(), 960 + 21 * 240 + 600);
}

// A control character cannot break the line it stands in: it shows as its control picture, and
// the box and the measuring label both count one line per character.
TEST_F(Listing, ControlCharactersShowAsPicturesOnALineEach) {
    type(QString::fromUtf16(u"a\r\n\t\x7f\0中 ", 8));
    pressAnalyse();
    EXPECT_EQ(
        lines(w->分析文章.Text()),
        QString::fromUtf16(u"a ,\u240d ,\u240a ,\u2409 ,\u2421 ,\u2400 ,中 ㄓㄨㄥ,  ").split(u','));
    EXPECT_EQ(w->模仿高度.Caption(), w->分析文章.Text());
    EXPECT_EQ(w->分析文章.Height(), (8 + 1) * 240);
    EXPECT_EQ(w->currentChar, QStringLiteral(" "));
}

TEST_F(Listing, SurrogatePairIsOneLine) {
    type(QString::fromUtf16(u"\U00020000中"));
    pressAnalyse();
    const QStringList listed = lines(w->分析文章.Text());
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith(QString::fromUtf16(u"\U00020000 ")));
    EXPECT_EQ(w->currentChar, QStringLiteral("中"));
}

TEST_F(Listing, FailedLookupKeepsTheCharacterOnItsLine) {
    type(QStringLiteral("中文"));
    ime->fail = true;
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 \r\n文 \r\n"));
    EXPECT_TRUE(w->查詢鈕.Visible());
}

// Pointing lookups that write currentChar during the listing do not move its lines.
TEST_F(Listing, EachLineKeepsItsOwnCharacterWhilePointingRuns) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    int pointed = 0;
    ime->duringLookup = [&] {
        if (pointed++ < 3)
            whenMessagesRun([this] { pointAt(100); });
    };
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n字 ㄗˋ\r\n"));
    EXPECT_EQ(w->currentChar, QStringLiteral("字"));
}

TEST_F(Listing, TypingDuringTheListingIsReadPassByPass) {
    type(QStringLiteral("中文字"));
    bool typed = false;
    ime->duringLookup = [&] {
        if (!typed) {
            typed = true;
            whenMessagesRun([this] { type(QStringLiteral("中字")); });
        }
    };
    pressAnalyse();
    // The count stays 3. The text changes during the second pass's lookup, after that pass took
    // its character; the third pass finds no third character in the new text.
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n \r\n"));
}

TEST_F(Listing, InsertsAtTheInsertionPointWhereverTheUserPutsIt) {
    type(QStringLiteral("中文"));
    bool moved = false;
    ime->duringLookup = [&] {
        if (!moved) {
            moved = true;
            whenMessagesRun([this] { w->分析文章.setSelStart(0); });
        }
    };
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("文 ㄨㄣˊ\r\n中 ㄓㄨㄥ\r\n"));
}

// A press whose release never comes ends its capture as soon as the window shows the pointer
// free again: the raised face is back, no listing runs, and the mouse goes where it points.
struct LostRelease {
    const char* name;
    std::function<void(WindowTest&)> loseIt;
    friend void PrintTo(const LostRelease& r, std::ostream* os) { *os << r.name; }
};

class ReleaseNeverComes : public WindowTest, public ::testing::WithParamInterface<LostRelease> {};

TEST_P(ReleaseNeverComes, RaisedFaceShowsAgainWithoutAListing) {
    type(QStringLiteral("中文"));
    crossBareWindow();
    mouse(forms::Form::MouseAction::Down, 6500, 400, forms::LeftButton, forms::LeftButton);
    ASSERT_FALSE(w->查詢鈕.Visible());
    GetParam().loseIt(*this);
    EXPECT_TRUE(w->查詢鈕.Visible());
    pointAt(100);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("中"));
    mouse(forms::Form::MouseAction::Down, boxLeft + 10, boxTop + 100, forms::LeftButton,
          forms::LeftButton);
    mouse(forms::Form::MouseAction::Up, boxLeft + 10, boxTop + 100, forms::LeftButton, 0);
    EXPECT_EQ(w->分析文章.Text(), QString());
    EXPECT_TRUE(w->查詢鈕.Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ReleaseNeverComes,
    ::testing::Values(LostRelease{"move_with_no_button_held",
                                  [](WindowTest& t) {
                                      t.mouse(forms::Form::MouseAction::Move, 3000, 2400, 0, 0);
                                  }},
                      // The next press, even into the input box, is a press of its own.
                      LostRelease{"press_with_no_other_button_held",
                                  [](WindowTest& t) {
                                      t.mouse(forms::Form::MouseAction::Down, t.boxLeft + 10,
                                              t.boxTop + 100, forms::LeftButton, forms::LeftButton);
                                      t.mouse(forms::Form::MouseAction::Up, t.boxLeft + 10,
                                              t.boxTop + 100, forms::LeftButton, 0);
                                  }},
                      LostRelease{"window_hidden",
                                  [](WindowTest& t) {
                                      t.w->hide();
                                      t.w->show();
                                  }},
                      LostRelease{"another_window_activated",
                                  [](WindowTest& t) {
                                      t.w->activateWindow();
                                      ASSERT_TRUE(QTest::qWaitForWindowActive(t.w.get()));
                                      QWidget other;
                                      other.show();
                                      other.activateWindow();
                                      ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// Closing the window ends a running listing at its next message processing.
TEST_F(Listing, ClosingTheWindowEndsTheListing) {
    type(QString(1000, QChar(u'中')));
    ime->duringLookup = [&] {
        if (ime->lookups == 3)
            whenMessagesRun([this] { w->close(); });
    };
    pressAnalyse();
    EXPECT_FALSE(w->isVisible());
    EXPECT_LE(ime->lookups, 4);
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(Listing, FreshListingStartsFromAnEmptiedBox) {
    type(QStringLiteral("中"));
    pressAnalyse();
    pressAnalyse(forms::MiddleButton);
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n"));
}

} // namespace
