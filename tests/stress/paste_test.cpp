// A million characters pasted into the input box, then pointed at and listed.
#include "tests/support/StressSupport.h"
#include "tests/support/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

using namespace stress;
using Paste = WindowTest;

constexpr qsizetype kMillion = 1'000'000;

TEST_F(Paste, MillionCharactersArePointedAtAndListed) {
    const QString text = poolText(kMillion); // ends on 請
    QElapsedTimer clock;
    clock.start();
    QApplication::clipboard()->setText(text);
    QWidget* edit = w->很多行.widget();
    edit->setFocus();
    QTest::keySequence(edit, QKeySequence::SelectAll);
    QTest::keySequence(edit, QKeySequence::Paste);
    ASSERT_EQ(w->很多行.Text(), text);
    report("paste (ms)", clock.restart(), "ms");

    crossBareWindow();
    for (const double x : {100.0, 500.0, 2970.0, 5800.0}) {
        pointAt(x);
        const QChar pointed = text[fittingCharacters(x) - 1];
        EXPECT_EQ(w->Label1.Caption(), QString(pointed)) << x;
        EXPECT_EQ(w->注音解說.Caption(), readingOf(pointed)) << x;
    }
    pointAt(3e8); // dragged far right: the whole text fits
    EXPECT_EQ(w->Text7.Text().size(), kMillion);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("請"));
    EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄑㄧㄥˇ"));
    report("pointing, five moves (ms)", clock.restart(), "ms");

    report("peak RSS before the listing (MB)", double(peakRssMb()), "MB");

    pressAnalyse();
    report("listing (ms)", clock.restart(), "ms");
    // Measured before the test splits the listing into lines of its own. Sanitized builds take
    // about twice the plain build's figure; a copy or a leak per character would go far past it.
    const long peak = peakRssMb();
    report("peak RSS after the listing (MB)", double(peak), "MB");
    EXPECT_LT(peak, 3072);
    const QStringList lines = listedLines(w->分析文章.Text());
    ASSERT_EQ(lines.size(), kMillion);
    for (const qsizetype i : {qsizetype{0}, qsizetype{1}, kMillion / 2 + 3, kMillion - 1})
        EXPECT_EQ(lines[i], text[i] + u' ' + readingOf(text[i])) << i;
    EXPECT_TRUE(w->查詢鈕.Visible());
    EXPECT_TRUE(told.isEmpty());
}

} // namespace
