#include "tests/support/WindowFixture.h"

#include "platform/forms/EditView.h"

#include <QClipboard>
#include <QFontInfo>
#include <QTest>

namespace {

using Layout = WindowTest;

struct Placed {
    const char* name;
    forms::Control* (*control)(主畫面&);
    QRect pixels;
};

#define CONTROL(c) [](主畫面& w) -> forms::Control* { return &w.c; }

class ControlPlace : public WindowTest, public ::testing::WithParamInterface<Placed> {};

TEST_P(ControlPlace, IsAsLaidOut) {
    EXPECT_EQ(GetParam().control(*w)->pixelRect(), GetParam().pixels);
}

// Twips divided by 15; pictures are their own size.
INSTANTIATE_TEST_SUITE_P(
    Controls, ControlPlace,
    ::testing::Values(Placed{"output_box", CONTROL(分析文章), {328, 64, 153, 97}},
                      Placed{"prefix_store", CONTROL(Text7), {344, 336, 57, 20}},
                      Placed{"input_box", CONTROL(很多行), {18, 26, 389, 16}},
                      Placed{"measuring_label", CONTROL(模仿高度), {192, 144, 115, 16}},
                      Placed{"raised_face", CONTROL(查詢鈕), {416, 8, 65, 48}},
                      Placed{"pressed_face", CONTROL(查詢圖), {416, 8, 65, 48}},
                      Placed{"input_frame", CONTROL(外框), {16, 24, 393, 20}},
                      Placed{"reading_label", CONTROL(注音解說), {104, 64, 201, 49}},
                      Placed{"character_label", CONTROL(Label1), {24, 64, 57, 49}},
                      Placed{"width_gauge", CONTROL(限制寬度), {328, 336, 6, 18}},
                      Placed{"pass_through", CONTROL(取出文字), {408, 336, 57, 18}},
                      Placed{"character_frame", CONTROL(Shape1), {22, 60, 61, 59}},
                      Placed{"backdrop", CONTROL(Image1), {24, 62, 297, 73}},
                      Placed{"reading_frame", CONTROL(Shape2), {102, 60, 205, 59}},
                      Placed{"link_label", CONTROL(開啟官方), {8, 152, 80, 16}},
                      Placed{"link_shadow", CONTROL(官方2), {9, 153, 80, 16}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Layout, WindowAtStart) {
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quilldex 2"));
    EXPECT_EQ(w->size(), QSize(502, 177));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->Height(), 3030);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowIcon().isNull());
}

TEST_F(Layout, StateAtStart) {
    EXPECT_EQ(w->readyFlag, 0);
    EXPECT_EQ(w->widthLimit, 0);
    EXPECT_EQ(w->currentChar, QString());
    EXPECT_EQ(w->Label1.Caption(), QString());
    EXPECT_EQ(w->注音解說.Caption(), QString());
    EXPECT_EQ(w->分析文章.Text(), QString());
    EXPECT_EQ(w->Text7.Text(), QStringLiteral("Text7"));
    EXPECT_EQ(w->取出文字.Caption(), QStringLiteral("11111"));
    EXPECT_EQ(w->模仿高度.Caption(), QStringLiteral("Label2"));
    EXPECT_EQ(w->開啟官方.Caption(), QStringLiteral("進入官方站"));
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("請在此輸入文字，或貼上文字，完成後滑鼠指向文字"));
    EXPECT_TRUE(w->查詢鈕.Visible());
    for (forms::Control* hidden :
         {static_cast<forms::Control*>(&w->Text7), static_cast<forms::Control*>(&w->模仿高度),
          static_cast<forms::Control*>(&w->限制寬度), static_cast<forms::Control*>(&w->取出文字)})
        EXPECT_FALSE(hidden->Visible()) << hidden->name().toStdString();
}

TEST_F(Layout, TextFontMeasuresAFullWidthCharacterAndALineAs240Twips) {
    QWidget* box = w->很多行.widget();
    EXPECT_EQ(QFontInfo(box->font()).family(), QStringLiteral("AR PL UMing TW"));
    EXPECT_EQ(box->fontMetrics().horizontalAdvance(QStringLiteral("中")), 16);
    EXPECT_EQ(box->fontMetrics().height(), 16);
}

TEST_F(Layout, PixelsShowTheLaidOutColours) {
    QCoreApplication::processEvents();
    const QImage shot = w->grab().toImage();
    const auto at = [&](int x, int y) { return shot.pixelColor(x, y).rgb() & 0xffffff; };
    EXPECT_EQ(at(250, 170), 0x8EABFFu) << "window background";
    EXPECT_EQ(at(17, 34), 0xFFFFFFu) << "input frame's fill";
    EXPECT_EQ(at(150, 100), 0x0000C0u) << "reading label's ground";
    EXPECT_EQ(at(400, 150), 0xFFC66Bu) << "output box";
    // The pressed face lies under the raised one: hiding the raised face changes the pixels.
    const QImage raised = shot.copy(416, 8, 65, 48);
    w->查詢鈕.setVisible(false);
    const QImage pressed = w->grab().toImage().copy(416, 8, 65, 48);
    EXPECT_NE(raised, pressed);
}

TEST_F(Layout, FocusStartsInTheInputBoxWithItsPromptSelected) {
    w->activateWindow();
    w->很多行.widget()->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto* input = static_cast<forms::EditView*>(w->很多行.widget());
    EXPECT_TRUE(input->hasFocus());
    EXPECT_EQ(input->buffer().selectedText(), input->text());

    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_TRUE(w->分析文章.widget()->hasFocus());
    QTest::keyClick(w->分析文章.widget(), Qt::Key_Tab);
    EXPECT_TRUE(input->hasFocus());
}

TEST_F(Layout, EnterAddsNoLineAndTheInputHasNoLengthLimit) {
    auto* input = static_cast<forms::EditView*>(w->很多行.widget());
    input->setFocus();
    w->很多行.setText(QStringLiteral("中"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(w->很多行.Text(), QStringLiteral("中"));
    const QString paste(40000, QChar(u'字'));
    QApplication::clipboard()->setText(paste);
    QTest::keySequence(input, QKeySequence::SelectAll);
    QTest::keySequence(input, QKeySequence::Paste);
    EXPECT_EQ(w->很多行.Text(), paste);
    EXPECT_EQ(input->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Layout, HitTestingFollowsTheStackingOrder) {
    int windowMoves = 0;
    w->MouseMove = [&](const forms::MouseArgs&) { ++windowMoves; };
    const auto over = [&](double x, double y) { return w->controlAt({x, y}); };
    EXPECT_EQ(over(250, 370), nullptr) << "the input frame's margin is bare window";
    EXPECT_EQ(over(2000, 2000), &w->Image1);
    EXPECT_EQ(over(600, 1200), &w->Label1);
    EXPECT_EQ(over(6500, 400), &w->查詢鈕);
    EXPECT_EQ(over(300, 2350), &w->開啟官方);
    w->查詢鈕.setVisible(false);
    EXPECT_EQ(over(6500, 400), &w->查詢圖);
    mouse(forms::Form::MouseAction::Move, 250, 370);
    mouse(forms::Form::MouseAction::Move, 2000, 2000);
    EXPECT_EQ(windowMoves, 1);
}

} // namespace
