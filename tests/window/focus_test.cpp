#include "tests/support/WindowFixture.h"

#include "platform/forms/EditView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

// Real focus events on the offscreen platform: the window activated, the box focused by Tab or by
// the window system, popups opened and closed over it.
struct Focus : WindowTest {
    forms::EditView* box() const { return static_cast<forms::EditView*>(w->很多行.widget()); }
    static void activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // The window as the program starts it: the focus in the input box, then activated.
    void startUp() {
        box()->setFocus();
        activate(w.get());
        ASSERT_TRUE(box()->hasFocus());
    }
    // The box's own context menu, as a right click opens it.
    QMenu* openContextMenu() {
        QWidget* area = box()->viewport();
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                                  area->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(area, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        if (menu) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        }
        return menu;
    }
    // A text with the insertion point at its end and nothing selected.
    void caretAtEnd(const QString& text) {
        type(text);
        box()->select(text.size(), text.size());
    }
};

TEST_F(Focus, StartUpAndTabSelectTheWholeText) {
    startUp();
    EXPECT_EQ(box()->buffer().selectedText(), w->很多行.Text());

    caretAtEnd(QStringLiteral("中文"));
    QTest::keyClick(box(), Qt::Key_Tab);
    ASSERT_TRUE(w->分析文章.widget()->hasFocus());
    QTest::keyClick(w->分析文章.widget(), Qt::Key_Tab);
    ASSERT_TRUE(box()->hasFocus());
    EXPECT_EQ(box()->buffer().selectedText(), QStringLiteral("中文"));
}

// The focus coming back to the box, rather than moving to it, leaves text and caret alone, so
// the next keystroke adds to the text.
struct Return {
    const char* name;
    std::function<void(Focus&)> leaveAndComeBack;
    friend void PrintTo(const Return& r, std::ostream* os) { *os << r.name; }
};

class FocusComingBack : public Focus, public ::testing::WithParamInterface<Return> {};

TEST_P(FocusComingBack, KeepsTheTextForTheNextKeystroke) {
    startUp();
    caretAtEnd(QStringLiteral("中文"));
    GetParam().leaveAndComeBack(*this);
    ASSERT_TRUE(box()->hasFocus());
    QTest::keyClicks(box(), QStringLiteral("x"));
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文x"));
}

INSTANTIATE_TEST_SUITE_P(Ways, FocusComingBack,
                         ::testing::Values(Return{"another_window_and_back",
                                                  [](Focus& t) {
                                                      QWidget other;
                                                      other.show();
                                                      Focus::activate(&other);
                                                      Focus::activate(t.w.get());
                                                  }},
                                           Return{"popup_closed_with_escape",
                                                  [](Focus& t) {
                                                      QMenu* menu = t.openContextMenu();
                                                      ASSERT_NE(menu, nullptr);
                                                      QTest::keyClick(menu, Qt::Key_Escape);
                                                      QCoreApplication::processEvents();
                                                  }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Paste from the box's own context menu inserts at the caret.
TEST_F(Focus, ContextMenuPasteInsertsAtTheCaret) {
    startUp();
    caretAtEnd(QStringLiteral("中文"));
    QGuiApplication::clipboard()->setText(QStringLiteral("字"));
    QMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = openContextMenu());
    // The menu's Paste, known by its shortcut whatever language its text is in.
    const QString ctrlV = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().endsWith(u'\t' + ctrlV))
            paste = action;
    ASSERT_NE(paste, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文字"));
}

} // namespace
