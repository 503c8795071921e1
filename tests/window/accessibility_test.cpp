#include "BuildConfig.h"
#include "tests/support/WindowFixture.h"

#include <QAccessible>
#include <QTest>

namespace {

// Walks the window's accessibility tree as a screen reader does. Qt raises no accessibility
// events on the offscreen platform: that the names are announced is checked under Xvfb.
struct ScreenReaderTest : WindowTest {
    QAccessibleInterface* window() { return QAccessible::queryAccessibleInterface(w.get()); }
    QAccessibleInterface* child(QAccessible::Role role, int nth = 0) {
        QAccessibleInterface* root = window();
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->role() == role && nth-- == 0)
                return root->child(i);
        return nullptr;
    }
    QAccessibleInterface* characterLabel() { return child(QAccessible::StaticText, 0); }
    QAccessibleInterface* readingLabel() { return child(QAccessible::StaticText, 1); }
    QAccessibleInterface* button() { return child(QAccessible::Button); }
    static void press(QAccessibleInterface* iface) {
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
};

using ScreenReader = ScreenReaderTest;

// In reading order, top to bottom: the frames, the backdrop, the pressed face, the shadow and
// the controls used only for measuring are not there.
TEST_F(ScreenReader, SeesTheTextBoxesAndTheFourPaintedItems) {
    QAccessibleInterface* root = window();
    EXPECT_EQ(root->role(), QAccessible::Window);
    EXPECT_EQ(root->text(QAccessible::Name), QStringLiteral("Quilldex 2"));
    struct Seen {
        QAccessible::Role role;
        QString name;
        bool pressable;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* c = root->child(i);
        EXPECT_EQ(c->parent(), root);
        EXPECT_EQ(root->indexOfChild(c), i);
        const bool pressable =
            c->actionInterface() &&
            c->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction());
        seen.push_back({c->role(), c->text(QAccessible::Name), pressable});
    }
    const std::vector<Seen> expected{
        {QAccessible::Button, QStringLiteral("查詢"), true},
        {QAccessible::EditableText, QStringLiteral("輸入文字"), false},
        {QAccessible::StaticText, {}, false},
        {QAccessible::StaticText, {}, false},
        {QAccessible::EditableText, QStringLiteral("分析結果"), false},
        {QAccessible::Link, QStringLiteral("進入官方站"), true},
    };
    EXPECT_EQ(seen, expected);

    // Where each item is on the screen, so pointing a screen reader at it finds it.
    const QPoint buttonCentre = w->mapToGlobal(QPoint(6500 / 15, 400 / 15));
    EXPECT_EQ(root->childAt(buttonCentre.x(), buttonCentre.y()), button());
    EXPECT_EQ(characterLabel()->rect(), QRect(w->mapToGlobal(QPoint(24, 64)), QSize(57, 49)));
}

TEST_F(ScreenReader, LabelsAreNamedByWhatTheyShow) {
    crossBareWindow();
    type(QStringLiteral("中文字"));
    pointAt(300);
    EXPECT_EQ(characterLabel()->text(QAccessible::Name), QStringLiteral("文"));
    EXPECT_EQ(readingLabel()->text(QAccessible::Name), QStringLiteral("ㄨㄣˊ"));
    crossBareWindow();
    EXPECT_EQ(characterLabel()->text(QAccessible::Name), QString());
    EXPECT_EQ(readingLabel()->text(QAccessible::Name), QString());
}

TEST_F(ScreenReader, ButtonsPressActionListsAndCannotStartASecondListing) {
    type(QStringLiteral("中文"));
    bool hiddenDuringListing = false;
    ime->duringLookup = [&] {
        hiddenDuringListing = button()->state().invisible;
        press(button());
    };
    press(button());
    EXPECT_TRUE(hiddenDuringListing);
    EXPECT_EQ(ime->lookups, 2);
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n"));
    EXPECT_TRUE(w->查詢鈕.Visible());
    EXPECT_FALSE(button()->state().invisible);
}

TEST_F(ScreenReader, LinksActionOpensThePageWithoutHighlighting) {
    press(child(QAccessible::Link));
    EXPECT_EQ(opened, QStringList{QString::fromUtf8(buildconfig::makerUrl)});
    EXPECT_EQ(w->開啟官方.ForeColor(), forms::systemButtonText);
}

// Keys pressed in the input box: the caret's moves show the character after it and its
// reading; typing shows nothing; Enter lists.
TEST_F(ScreenReader, KeyboardGivesReadingsAndListings) {
    QWidget* input = w->很多行.widget();
    struct Row {
        const char* what;
        QString text;
        std::vector<Qt::Key> keys;
        Qt::KeyboardModifiers modifiers;
        QString character;
        QString reading;
    };
    const QString combining = QStringLiteral("e\u0301x");
    const Row rows[] = {
        {"home",
         QStringLiteral("中文字"),
         {Qt::Key_Home},
         {},
         QStringLiteral("中"),
         QStringLiteral("ㄓㄨㄥ")},
        {"right",
         QStringLiteral("中文字"),
         {Qt::Key_Home, Qt::Key_Right},
         {},
         QStringLiteral("文"),
         QStringLiteral("ㄨㄣˊ")},
        {"end shows the last",
         QStringLiteral("中文字"),
         {Qt::Key_End},
         {},
         QStringLiteral("字"),
         QStringLiteral("ㄗˋ")},
        {"left from the end",
         QStringLiteral("中文字"),
         {Qt::Key_End, Qt::Key_Left},
         {},
         QStringLiteral("字"),
         QStringLiteral("ㄗˋ")},
        {"selecting follows the caret",
         QStringLiteral("中文字"),
         {Qt::Key_Right, Qt::Key_Right},
         Qt::ShiftModifier,
         QStringLiteral("字"),
         QStringLiteral("ㄗˋ")},
        {"a whole character", combining, {Qt::Key_Home}, {}, combining.left(2), {}},
        {"empty box", {}, {Qt::Key_Left}, {}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        type(row.text);
        w->很多行.setSelStart(0);
        for (Qt::Key key : row.keys)
            QTest::keyClick(input, key, row.modifiers);
        EXPECT_EQ(w->Label1.Caption(), row.character);
        EXPECT_EQ(w->currentChar, row.character);
        if (!row.reading.isNull()) {
            EXPECT_EQ(w->注音解說.Caption(), row.reading);
        }
    }

    w->Label1.setCaption({});
    const int lookups = ime->lookups;
    QTest::keyClick(input, Qt::Key_A);
    QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, QStringLiteral("字"), {});
    EXPECT_EQ(w->Label1.Caption(), QString());
    EXPECT_EQ(ime->lookups, lookups);

    type(QStringLiteral("中文"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n"));
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文"));
}

} // namespace
