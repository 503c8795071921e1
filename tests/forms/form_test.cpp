#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Picture.h"
#include "platform/forms/Shape.h"
#include "platform/forms/WidgetTextBoxes.h"

#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using Action = forms::Form::MouseAction;

// A small form: a text box over a label over a picture, a shape beside them, and bare surface.
struct SmallForm : ::testing::Test {
    forms::Form form;
    forms::LineTextBox box{QStringLiteral("box"), {}, {{QStringLiteral("新細明體"), 12, 400}}};
    forms::Label label{QStringLiteral("label"), {}};
    forms::Picture picture{QStringLiteral("picture"), QImage(40, 20, QImage::Format_RGB32)};
    forms::Shape shape{QStringLiteral("shape"), 0, 0};
    std::vector<std::string> events;

    SmallForm() {
        form.setClientSize(3000, 3000);
        box.move(0, 0, 600, 240);
        label.move(300, 0, 600, 600);
        picture.setLeft(0);
        picture.setTop(0);
        shape.move(1500, 1500, 600, 600);
        form.add(box);
        form.add(label);
        form.add(picture);
        form.add(shape);
        record(box, "box");
        record(label, "label");
        record(picture, "picture");
        form.MouseMove = [this](const forms::MouseArgs&) { events.push_back("form move"); };
    }
    void record(forms::Control& c, std::string name) {
        c.MouseDown = [this, name](const forms::MouseArgs&) { events.push_back(name + " down"); };
        c.MouseUp = [this, name](const forms::MouseArgs&) { events.push_back(name + " up"); };
        c.MouseMove = [this, name](const forms::MouseArgs&) { events.push_back(name + " move"); };
        c.Click = [this, name] { events.push_back(name + " click"); };
    }
    void move(double x, double y, int buttons = 0) {
        form.dispatchMouse(Action::Move, {x, y}, 0, buttons, 0);
    }
};

TEST_F(SmallForm, TopmostControlTakesTheMouse) {
    move(100, 100);   // box over everything
    move(450, 300);   // label over picture
    move(100, 280);   // picture only
    move(1600, 1600); // a shape lets the pointer through to the bare surface
    move(2900, 100);  // bare surface
    EXPECT_EQ(events, (std::vector<std::string>{"box move", "label move", "picture move",
                                                "form move", "form move"}));
}

TEST_F(SmallForm, HiddenControlLetsThePointerThrough) {
    label.setVisible(false);
    move(450, 280);
    EXPECT_EQ(events, std::vector<std::string>{"picture move"});
}

TEST_F(SmallForm, PressedControlKeepsTheMouseUntilRelease) {
    picture.MouseDown = [this](const forms::MouseArgs&) {
        events.push_back("picture down");
        picture.setVisible(false);
    };
    form.dispatchMouse(Action::Down, {100, 280}, forms::RightButton, forms::RightButton, 0);
    move(2900, 2900, forms::RightButton);
    form.dispatchMouse(Action::Up, {2900, 2900}, forms::RightButton, 0, 0);
    move(2900, 2900);
    EXPECT_EQ(events, (std::vector<std::string>{"picture down", "picture move", "picture up",
                                                "form move"}));
}

TEST_F(SmallForm, ClickNeedsReleaseOverThePressedControl) {
    form.dispatchMouse(Action::Down, {450, 300}, forms::LeftButton, forms::LeftButton, 0);
    form.dispatchMouse(Action::Up, {450, 320}, forms::LeftButton, 0, 0);
    form.dispatchMouse(Action::Down, {450, 300}, forms::LeftButton, forms::LeftButton, 0);
    form.dispatchMouse(Action::Up, {2900, 320}, forms::LeftButton, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"label down", "label up", "label click",
                                                "label down", "label up"}));
}

TEST_F(SmallForm, PressAndReleaseRunsAClickUnlessTheControlIsHidden) {
    form.pressAndRelease(label);
    label.setVisible(false);
    form.pressAndRelease(label);
    EXPECT_EQ(events, (std::vector<std::string>{"label down", "label up", "label click"}));
}

// A key goes down before the box acts on it and comes up after; an auto-repeated key goes down
// again at every repeat but comes up once, when let go.
TEST_F(SmallForm, KeysGoDownBeforeTheBoxActsAndComeUpOnceAfter) {
    QWidget* edit = box.widget();
    box.setText(QStringLiteral("abc"));
    box.setSelStart(0);
    const auto log = [this](const char* what) {
        return [this, what](const forms::KeyArgs& k) {
            events.push_back(std::string(what) + " " + std::to_string(k.keyCode) + "/" +
                             std::to_string(k.shift) + " at " +
                             std::to_string(box.caretPosition()));
        };
    };
    box.KeyDown = log("down");
    box.KeyUp = log("up");
    const auto send = [edit](QEvent::Type type, Qt::Key key, bool repeat) {
        QKeyEvent event(type, key, Qt::ShiftModifier, QString(), repeat);
        QCoreApplication::sendEvent(edit, &event);
    };
    send(QEvent::KeyPress, Qt::Key_Right, false);
    send(QEvent::KeyRelease, Qt::Key_Right, true);
    send(QEvent::KeyPress, Qt::Key_Right, true);
    send(QEvent::KeyRelease, Qt::Key_Right, false);
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("字"), {});
    EXPECT_EQ(events,
              (std::vector<std::string>{"down 39/1 at 0", "down 39/1 at 1", "up 39/1 at 2"}));
}

TEST_F(SmallForm, CoordinatesAreTwipsFromTheControl) {
    forms::MouseArgs seen;
    label.MouseMove = [&](const forms::MouseArgs& a) { seen = a; };
    form.dispatchMouse(Action::Move, {500, 300}, 0, forms::LeftButton, forms::ShiftKey);
    EXPECT_FLOAT_EQ(seen.x, 200);
    EXPECT_FLOAT_EQ(seen.y, 300);
    EXPECT_EQ(seen.button, forms::LeftButton);
    EXPECT_EQ(seen.shift, forms::ShiftKey);
}

TEST_F(SmallForm, FailureLeavingAHandlerIsReportedAndTheFormGoesOn) {
    QStringList reported;
    auto saved = forms::Form::failureReporter();
    forms::Form::failureReporter() = [&](const QString& what) { reported << what; };
    label.MouseMove = [](const forms::MouseArgs&) { throw std::runtime_error("boom"); };
    move(450, 300);
    move(100, 100);
    forms::Form::failureReporter() = saved;
    EXPECT_EQ(reported, QStringList{QStringLiteral("boom")});
    EXPECT_EQ(events, std::vector<std::string>{"box move"});
}

TEST(Form, OuterHeightCountsTheFrame) {
    forms::Form form;
    form.setClientSize(7530, 2655);
    EXPECT_EQ(form.Height(), 3030);
    EXPECT_EQ(form.Width(), 7620);
    form.setHeight(3135);
    EXPECT_EQ(form.height(), 184);
    EXPECT_EQ(form.Height(), 3135);
}

TEST(Control, GeometryIsHeldInWholePixels) {
    forms::Label label(QStringLiteral("l"), {});
    label.move(10, 20, 8500, 8490);
    EXPECT_EQ(label.Left(), 15);
    EXPECT_EQ(label.Top(), 15);
    EXPECT_EQ(label.Width(), 8505);
    EXPECT_EQ(label.Height(), 8490);
}

TEST(Form, ActiveFormIsTheShownOne) {
    EXPECT_EQ(forms::Form::activeForm(), nullptr);
    {
        forms::Form form;
        form.show();
        EXPECT_EQ(forms::Form::activeForm(), &form);
        form.hide();
        EXPECT_EQ(forms::Form::activeForm(), nullptr);
        form.show();
    }
    EXPECT_EQ(forms::Form::activeForm(), nullptr);
}

} // namespace
