// Ten thousand mouse moves queued at once, with a listing started in their middle: lookups nest
// through the message processing of the lookups and the listing that run meanwhile.
#include "tests/support/StressSupport.h"
#include "tests/support/WindowFixture.h"

#include <QDeadlineTimer>
#include <QMouseEvent>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

using namespace stress;
using MouseStorm = WindowTest;

constexpr int kMoves = 10'000;

// The twip positions of the fixture in the form's pixels.
constexpr QPointF kBareWindow{200, 160};
constexpr QPointF kAnalyseButton{433, 26};

void post(QWidget* to, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QCoreApplication::postEvent(
        to, new QMouseEvent(type, at, to->mapToGlobal(at), button, held, Qt::NoModifier));
}

TEST_F(MouseStorm, QueuedMovesDuringLookupsAndAListingEndOnTheLastPointedCharacter) {
    // The last move points at character 25 (x = 5790 twips); the listing, which may end after it,
    // leaves the input's last character as the one being looked up. Both are 字.
    constexpr qsizetype length = 2000;
    constexpr double lastX = 5790;
    QString text = poolText(length);
    text[fittingCharacters(lastX) - 1] = u'字';
    text[length - 1] = u'字';
    type(text);
    crossBareWindow();

    // The deepest the stack goes while a lookup runs.
    const char* base = reinterpret_cast<const char*>(__builtin_frame_address(0));
    std::uintptr_t lowest = reinterpret_cast<std::uintptr_t>(base);
    ime->duringLookup = [&] {
        const char here = 0;
        lowest = std::min(lowest, reinterpret_cast<std::uintptr_t>(&here));
    };

    QWidget* box = w->很多行.widget();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kMoves; ++i) {
        post(box, QEvent::MouseMove, QPointF(1 + (i * 7) % 388, 8), Qt::NoButton, Qt::NoButton);
        if (i % 4 == 0) // the bare window lets the next change start a lookup of its own
            post(w.get(), QEvent::MouseMove, kBareWindow, Qt::NoButton, Qt::NoButton);
        if (i == kMoves / 2) {
            post(w.get(), QEvent::MouseButtonPress, kAnalyseButton, Qt::LeftButton, Qt::LeftButton);
            post(w.get(), QEvent::MouseButtonRelease, kAnalyseButton, Qt::LeftButton, Qt::NoButton);
        }
    }
    // Elsewhere first, so that the last move changes the prefix and updates the labels.
    post(box, QEvent::MouseMove, QPointF(100, 8), Qt::NoButton, Qt::NoButton);
    post(w.get(), QEvent::MouseMove, kBareWindow, Qt::NoButton, Qt::NoButton);
    post(box, QEvent::MouseMove, QPointF(lastX / 15, 8), Qt::NoButton, Qt::NoButton);
    bool drained = false;
    QMetaObject::invokeMethod(
        w.get(), [&] { drained = true; }, Qt::QueuedConnection);

    const QDeadlineTimer deadline(300'000);
    while (!drained && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    ASSERT_TRUE(drained) << "the queue did not drain: the window froze";
    report("10,000 queued moves and a listing (ms)", double(clock.elapsed()), "ms");
    // Lookups nest a bounded few levels deep; nesting that grew with the queue would take
    // megabytes here long before it overflowed.
    const double stackKiB = double(reinterpret_cast<std::uintptr_t>(base) - lowest) / 1024;
    report("stack below the test during lookups (KiB)", stackKiB, "KiB");
    EXPECT_LT(stackKiB, 1024);

    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("字"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄗˋ"));
    EXPECT_EQ(w->currentChar, QStringLiteral("字"));
    EXPECT_EQ(listedLines(w->分析文章.Text()).size(), length);
    EXPECT_TRUE(w->查詢鈕.Visible());
    EXPECT_GT(ime->lookups, length) << "pointing lookups ran beside the listing's";
    EXPECT_TRUE(told.isEmpty());

    // And the window goes on answering as before.
    crossBareWindow();
    pointAt(500);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄨㄣˊ"));
}

// The listing runs inside the release of the button: by then no button is held, so the pointer
// belongs to whatever it is over. Pointing and the link label answer during the listing, and a
// second click finds the pressed face, not the button.
TEST_F(MouseStorm, PointerDuringAListingReachesWhatItIsOver) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    QString pointedDuringListing;
    forms::OleColor linkDuringListing = 0;
    bool once = false;
    ime->duringLookup = [&] {
        if (std::exchange(once, true))
            return;
        whenMessagesRun([&] {
            pointAt(500);
            pointedDuringListing = w->Label1.Caption();
            mouse(forms::Form::MouseAction::Move, link.x(), link.y());
            linkDuringListing = w->開啟官方.ForeColor();
            pressAnalyse(); // lands on the pressed face, which starts nothing
        });
    };
    pressAnalyse();
    EXPECT_EQ(pointedDuringListing, QStringLiteral("文"));
    EXPECT_EQ(linkDuringListing, 0x000000C0u);
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n字 ㄗˋ\r\n"));
    EXPECT_EQ(ime->lookups, 3 + 1) << "the listing's and the pointer's, no second listing";
}

} // namespace
