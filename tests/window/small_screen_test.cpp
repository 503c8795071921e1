#include "tests/support/WindowFixture.h"

#include "platform/forms/EditView.h"

#include <QScreen>
#include <QTest>

namespace {

using SmallScreen = WindowTest;

// On a screen too low for the tallest listing, the box is cut further so that the window fits
// and the link below the box stays in it; a listing that fits is laid out as anywhere else.
TEST_F(SmallScreen, LongListingKeepsTheLinkInTheWindow) {
    ASSERT_EQ(w->screen()->availableGeometry().height(), 600);
    type(QString(2000, QChar(u'中')));
    pressAnalyse();
    QTest::qWait(50);
    EXPECT_LT(w->分析文章.Height(), 8505);
    EXPECT_LE(w->Height(), w->TallestHeight());
    EXPECT_EQ(w->Height(), w->分析文章.Top() + w->分析文章.Height() + 600);
    // The link's bottom edge is within the client area the window system gave.
    EXPECT_LE((w->開啟官方.Top() + w->開啟官方.Height()) / 15, w->height());
    auto* box = static_cast<forms::EditView*>(w->分析文章.widget());
    EXPECT_EQ(box->topRow(), 0);

    type(QString(20, QChar(u'中')));
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Height(), 21 * 240);
    EXPECT_EQ(w->Height(), 960 + 21 * 240 + 600);
}

} // namespace
