#include "platform/forms/Form.h"
#include "platform/forms/WidgetTextBoxes.h"

#include "platform/forms/EditView.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const forms::TextBoxStyle style{{QStringLiteral("新細明體"), 12, 400}};

std::unique_ptr<forms::TextBox> make(const std::string& kind) {
    if (kind == "memory")
        return std::make_unique<forms::MemoryTextBox>(QStringLiteral("t"), QStringLiteral("x"));
    if (kind == "line")
        return std::make_unique<forms::LineTextBox>(QStringLiteral("t"), QStringLiteral("x"),
                                                    style);
    return std::make_unique<forms::MultiLineTextBox>(QStringLiteral("t"), QStringLiteral("x"),
                                                     style);
}

class EveryTextBox : public ::testing::TestWithParam<std::string> {};

TEST_P(EveryTextBox, ChangeRunsOncePerRealChange) {
    auto box = make(GetParam());
    int changes = 0;
    box->Change = [&] { ++changes; };
    box->setText(QStringLiteral("x"));
    EXPECT_EQ(changes, 0);
    box->setText(QStringLiteral("中文"));
    EXPECT_EQ(changes, 1);
    box->setText(QStringLiteral("中文"));
    EXPECT_EQ(changes, 1);
    box->setText({});
    EXPECT_EQ(changes, 2);
}

// A change handler that changes the text again runs nested, to its end, before the outer
// assignment returns; the loop stops when an assignment changes nothing.
TEST_P(EveryTextBox, ChangeRunsNestedInsideTheAssignment) {
    auto box = make(GetParam());
    std::vector<QString> seen;
    box->Change = [&] {
        const QString text = box->Text();
        seen.push_back(text);
        box->setText(text.left(std::max<qsizetype>(0, text.size() - 1)));
        seen.push_back(QStringLiteral("back from ") + text);
    };
    box->setText(QStringLiteral("ab"));
    EXPECT_EQ(seen,
              (std::vector<QString>{"ab", "a", "", "back from ", "back from a", "back from ab"}));
}

TEST_P(EveryTextBox, HoldsLongTextWhole) {
    auto box = make(GetParam());
    const QString longText(100000, QChar(u'字'));
    box->setText(longText);
    EXPECT_EQ(box->Text(), longText);
}

TEST_P(EveryTextBox, SelTextInsertsAtTheInsertionPoint) {
    auto box = make(GetParam());
    box->setText({});
    box->setSelText(QStringLiteral("中 ㄓㄨㄥ"));
    box->setSelText(QStringLiteral("\r\n"));
    box->setSelText(QStringLiteral("文 ㄨㄣˊ"));
    EXPECT_EQ(box->Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryTextBox, ::testing::Values("memory", "line", "multiline"));

TEST(LineTextBox, SelectsWholeText) {
    forms::LineTextBox box(QStringLiteral("t"), QStringLiteral("請在此輸入"), style);
    box.setSelStart(0);
    box.setSelLength(box.Text().size());
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 5);
}

// The pointing measure starts at the box's left edge: text that starts with a right-to-left
// letter is laid out from there too, its first character leftmost.
TEST(LineTextBox, LaysTextOutFromTheLeft) {
    forms::LineTextBox box(QStringLiteral("t"), QString::fromUtf16(u"שלום 中文"), style);
    box.widget()->resize(389, 16);
    const QImage image = box.widget()->grab().toImage();
    int leftmost = image.width(), rightmost = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).lightness() < 100) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
    EXPECT_LT(leftmost, 8);
    EXPECT_LT(rightmost, 120);
    // Read left to right: the text's end is at its right.
    auto* view = static_cast<forms::EditView*>(box.widget());
    EXPECT_GT(view->characterRect(box.Text().size()).x(), rightmost - 8);
}

} // namespace

namespace {

// Later pieces land wherever the user has put the insertion point meanwhile.
TEST(MultiLineTextBox, SelTextLandsWhereAClickPutTheInsertionPoint) {
    forms::MultiLineTextBox box(QStringLiteral("t"), {}, style);
    box.widget()->resize(153, 97);
    box.widget()->show();
    for (int i = 0; i < 3; ++i)
        box.setSelText(QStringLiteral("中 ㄓㄨㄥ\r\n"));
    auto* view = static_cast<forms::EditView*>(box.widget());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(2, 20));
    box.setSelText(QStringLiteral("文"));
    EXPECT_EQ(box.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文中 ㄓㄨㄥ\r\n中 ㄓㄨㄥ\r\n"));
    EXPECT_EQ(box.SelStart(), 8);
}

} // namespace
