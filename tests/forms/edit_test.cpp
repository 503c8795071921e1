// The edit boxes' own layout and behaviour: rows, positions, whole characters, keys, the
// clipboard, input methods and what a blinking caret repaints.
#include "platform/forms/EditView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using forms::EditBuffer;
using forms::EditLayout;
using forms::EditView;

const forms::FontSpec font{QStringLiteral("新細明體"), 12, 400};
const forms::TextMeasure& measure() {
    return forms::measureFor(font);
}

QStringList rowsOf(EditLayout& layout, const QString& text) {
    QStringList rows;
    for (qsizetype r = 0; r < layout.rowCount(text); ++r) {
        const qsizetype start = layout.rowStart(text, r);
        rows << text.mid(start, layout.rowEnd(text, r) - start);
    }
    return rows;
}

TEST(EditLayout, MultiLineRowsBreakAtCrLfOnlyAndWrap) {
    const int fullWidth = measure().advanceAt(u"中", 0);
    struct Case {
        QString text;
        int wrapCharacters; // 0: no wrap
        QStringList rows;
    } cases[] = {
        {QStringLiteral("ab\r\ncd"), 0, {QStringLiteral("ab"), QStringLiteral("cd")}},
        {QStringLiteral("中 ㄓㄨㄥ\r\n"), 0, {QStringLiteral("中 ㄓㄨㄥ"), QString()}},
        {QStringLiteral("a\rb\nc"), 0, {QStringLiteral("a\rb\nc")}},
        {QString(), 0, {QString()}},
        {QStringLiteral("中文字請在"), 3, {QStringLiteral("中文字"), QStringLiteral("請在")}},
        {QStringLiteral("中文　字請"), 3, {QStringLiteral("中文　"), QStringLiteral("字請")}},
        {QStringLiteral("中文 字請在此"),
         3,
         {QStringLiteral("中文 "), QStringLiteral("字請在"), QStringLiteral("此")}},
    };
    for (const Case& c : cases) {
        EditLayout layout(measure(), true);
        layout.setWrapWidth(c.wrapCharacters * fullWidth);
        EXPECT_EQ(rowsOf(layout, c.text), c.rows) << c.text.toStdString();
    }
}

// An edit in the middle of a long text lays out again only as far as it must, and agrees with a
// layout made from scratch.
TEST(EditLayout, EditsKeepTheLayoutRight) {
    EditLayout layout(measure(), true);
    layout.setWrapWidth(5 * 16);
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral("中 ㄓㄨㄥ\r\n");
    layout.rowCount(text);
    for (const auto& [at, removed, inserted] :
         std::vector<std::tuple<qsizetype, qsizetype, QString>>{
             {9, 0, QStringLiteral("中文字請在此輸入")},
             {100, 2, QString()},
             {text.size() - 1, 1, QStringLiteral("\r\n\n")},
             {0, 3, QStringLiteral("a")}}) {
        text.replace(at, removed, inserted);
        layout.invalidate(at);
        EditLayout fresh(measure(), true);
        fresh.setWrapWidth(5 * 16);
        ASSERT_EQ(rowsOf(layout, text), rowsOf(fresh, text)) << at;
        for (const qsizetype p : {qsizetype(0), at, text.size() / 2, text.size()})
            EXPECT_EQ(layout.x(text, p), fresh.x(text, p)) << p;
    }
}

// The single-line box places characters where the gauge measures them, so the pointer's
// character is the one drawn under it, however long the text. Characters of more than one unit
// (a pair, a letter and its accent, a flag, an emoji family) each take their shaped width.
TEST(EditLayout, SingleLinePositionsAgreeWithTheGauge) {
    EditLayout layout(measure(), false);
    const QString piece = QStringLiteral("中文 ab𠀋é字e\u0301🇹🇼👨\u200D👩\u200D👧");
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += piece;
    const qsizetype n = piece.size(), flag = n - 12, family = n - 8;
    for (const qsizetype p : {qsizetype(1), 178 * n + flag, text.size() - 8, text.size()})
        EXPECT_EQ(layout.x(text, p), measure().lineWidth(QStringView(text).left(p))) << p;
    for (const qsizetype p : {qsizetype(0), qsizetype(7), 1304 * n + family, text.size() - 8}) {
        ASSERT_FALSE(forms::continuesCharacter(text, p));
        EXPECT_EQ(layout.positionAt(text, 0, layout.x(text, p) + 1), p) << p;
    }
    EXPECT_EQ(layout.rowCount(text), 1);
}

TEST(EditBuffer, StepsOverWholeCharacters) {
    struct Case {
        QString text;
        qsizetype from, next;
    } cases[] = {
        {QStringLiteral("a𠀋b"), 1, 3},       {QStringLiteral("e\u0301x"), 0, 2},
        {QStringLiteral("a\r\nb"), 1, 3},     {QStringLiteral("👨\u200D👩\u200D👧中"), 0, 8},
        {QStringLiteral("中\uFE0F文"), 0, 2}, {QStringLiteral("中文"), 0, 1},
        {QStringLiteral("🇹🇼🇯🇵"), 0, 4},
    };
    for (const Case& c : cases) {
        EditBuffer b;
        b.setText(c.text);
        EXPECT_EQ(b.nextCharacter(c.from), c.next) << c.text.toStdString();
        EXPECT_EQ(b.previousCharacter(c.next), c.from) << c.text.toStdString();
    }
}

TEST(EditBuffer, TypingUndoesAsOneStepAndTheProgramLeavesNoSteps) {
    EditBuffer b;
    b.setText(QStringLiteral("中文"));
    b.moveCaret(1, false);
    for (const QString& typed : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        b.replaceSelection(typed, EditBuffer::By::User);
    b.select(0, 1);
    b.replaceSelection(QStringLiteral("字字"), EditBuffer::By::User);
    EXPECT_EQ(b.text(), QStringLiteral("字字abc文"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("中abc文"));
    EXPECT_EQ(b.selectedText(), QStringLiteral("中"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("中文"));
    b.redo();
    EXPECT_EQ(b.text(), QStringLiteral("中abc文"));
    b.replaceSelection(QStringLiteral("x"), EditBuffer::By::Program);
    EXPECT_FALSE(b.canUndo());
    EXPECT_FALSE(b.canRedo());
}

struct Box : ::testing::Test {
    std::unique_ptr<EditView> view;
    int edits = 0;
    void make(bool multiLine, const QString& text) {
        view = std::make_unique<EditView>(font, multiLine);
        view->resize(multiLine ? 153 : 389, multiLine ? 97 : 16);
        view->setText(text);
        view->userEdited = [this] { ++edits; };
        view->show();
        view->activateWindow();
        view->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
};

TEST_F(Box, KeysEditAsAUserExpects) {
    make(false, QStringLiteral("中文𠀋"));
    QTest::keyClick(view.get(), Qt::Key_End);
    QTest::keyClick(view.get(), Qt::Key_Backspace); // the whole pair
    QTest::keyClicks(view.get(), QStringLiteral("ab"));
    QTest::keyClick(view.get(), Qt::Key_Return); // a single line takes no line break
    EXPECT_EQ(view->text(), QStringLiteral("中文ab"));
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keySequence(view.get(), QKeySequence::Cut);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ab"));
    QTest::keyClick(view.get(), Qt::Key_Home);
    QTest::keySequence(view.get(), QKeySequence::Paste);
    EXPECT_EQ(view->text(), QStringLiteral("ab中文"));
    QTest::keySequence(view.get(), QKeySequence::Undo);
    EXPECT_EQ(view->text(), QStringLiteral("中文"));
    EXPECT_EQ(edits, 6);

    make(true, QStringLiteral("中"));
    QTest::keyClick(view.get(), Qt::Key_End);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QApplication::clipboard()->setText(QStringLiteral("a\nb\r\nc\rd"));
    QTest::keySequence(view.get(), QKeySequence::Paste);
    EXPECT_EQ(view->text(), QStringLiteral("中\r\na\r\nb\r\nc\r\nd"));
    QTest::keyClick(view.get(), Qt::Key_Up);
    QTest::keyClick(view.get(), Qt::Key_Home);
    QTest::keyClick(view.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view->buffer().selectedText(), QStringLiteral("c\r\n"));
}

// Text from an input method lands at the insertion point; a composition in progress changes no
// text; the method sees a bounded stretch of a long text.
TEST_F(Box, InputMethodsComposeAtTheInsertionPoint) {
    make(false, QString(100000, QChar(u'中')));
    view->select(50000, 50000);
    QInputMethodEvent compose(QStringLiteral("ㄨㄣˊ"), {});
    QApplication::sendEvent(view.get(), &compose);
    EXPECT_EQ(view->text().size(), 100000);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("文"));
    QApplication::sendEvent(view.get(), &commit);
    EXPECT_EQ(view->text()[50000], u'文');
    EXPECT_EQ(view->buffer().caret(), 50001);
    const QString around = view->inputMethodQuery(Qt::ImSurroundingText).toString();
    EXPECT_LE(around.size(), 4096);
    EXPECT_EQ(around[view->inputMethodQuery(Qt::ImCursorPosition).toInt() - 1], u'文');
}

TEST_F(Box, AssistiveTechnologyReadsAndEditsItAsText) {
    make(true, QStringLiteral("中 ㄓㄨㄥ\r\n文"));
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::EditableText);
    EXPECT_TRUE(box->state().multiLine && box->state().editable);
    QAccessibleTextInterface* text = box->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 8);
    text->setSelection(0, 7, 8);
    EXPECT_EQ(view->buffer().selectedText(), QStringLiteral("文"));
    box->editableTextInterface()->replaceText(0, 1, QStringLiteral("字"));
    EXPECT_EQ(view->text(), QStringLiteral("字 ㄓㄨㄥ\r\n文"));
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(text->offsetAtPoint(text->characterRect(7).center()), 7);
}

struct Paints : QObject {
    QRegion region;
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(e)->region();
            ++count;
        }
        return false;
    }
};

// However long the text, a blinking caret repaints the caret and nothing else, and a run of
// insertions repaints at frame rate, not once per piece.
TEST_F(Box, BlinkAndInsertionsRepaintLittle) {
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(40);
    make(false, QString(200000, QChar(u'中')));
    view->select(5, 5);
    QTest::qWait(50);
    Paints paints;
    view->viewport()->installEventFilter(&paints);
    QTest::qWait(200);
    QApplication::setCursorFlashTime(flash);
    EXPECT_GE(paints.count, 3);
    EXPECT_LE(paints.region.boundingRect().width(), 3);

    make(true, {});
    view->viewport()->installEventFilter(&paints);
    paints.count = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20000; ++i) {
        view->insert(QStringLiteral("中 ㄓㄨㄥ\r\n"));
        QCoreApplication::processEvents();
    }
    EXPECT_LE(paints.count, clock.elapsed() / 10 + 2);
    QScrollBar* bar = view->verticalScrollBar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 20001 - 8; }, 1000))
        << "a row a line";
    EXPECT_EQ(view->topRow(), bar->maximum()) << "follows the insertions";
}

} // namespace
