#include "BuildConfig.h"
#include "tests/support/WindowFixture.h"

namespace {

using Link = WindowTest;

TEST_F(Link, HighlightsUnderThePointerUntilTheBareWindow) {
    mouse(forms::Form::MouseAction::Move, link.x(), link.y());
    EXPECT_EQ(w->開啟官方.ForeColor(), 0x000000C0u);
    pointAt(100); // another control leaves it highlighted
    EXPECT_EQ(w->開啟官方.ForeColor(), 0x000000C0u);
    crossBareWindow();
    EXPECT_EQ(w->開啟官方.ForeColor(), forms::systemButtonText);
    EXPECT_EQ(w->官方2.ForeColor(), 0x00C0C0C0u);
}

// A click is the left button's: the right and middle ones open nothing.
TEST_F(Link, LeftClickOpensTheMakersPageOnce) {
    for (int button : {forms::RightButton, forms::MiddleButton, forms::LeftButton}) {
        mouse(forms::Form::MouseAction::Down, link.x(), link.y(), button, button);
        mouse(forms::Form::MouseAction::Up, link.x(), link.y(), button, 0);
    }
    EXPECT_EQ(opened, QStringList{QString::fromUtf8(buildconfig::makerUrl)});
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(Link, BrowserThatCannotStartIsReportedAndNothingElseChanges) {
    openerFails = true;
    type(QStringLiteral("中文"));
    w->開啟官方_Click();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QString::fromUtf8(buildconfig::makerUrl)));
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文"));
}

} // namespace
