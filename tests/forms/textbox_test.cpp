#include "platform/forms/Form.h"
#include "platform/forms/WidgetTextBoxes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
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

} // namespace

namespace {

// Gathered insertions land before the user can see or move the insertion point.
TEST(MultiLineTextBox, GatheredTextLandsBeforeAClickOrKey) {
    forms::MultiLineTextBox box(QStringLiteral("t"), {}, style);
    auto* edit = static_cast<QPlainTextEdit*>(box.widget());
    for (int i = 0; i < 3; ++i)
        box.setSelText(QStringLiteral("中 ㄓㄨㄥ\r\n"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->viewport(), &press);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("中 ㄓㄨㄥ\n中 ㄓㄨㄥ\n中 ㄓㄨㄥ\n"));

    box.setSelText(QStringLiteral("文"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &key);
    // The click put the insertion point at the start.
    EXPECT_TRUE(edit->toPlainText().startsWith(u'文'));
}

} // namespace
