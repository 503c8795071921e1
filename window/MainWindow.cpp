#include "window/MainWindow.h"

#include "lookup/ReadingLookup.h"
#include "window/Layout.h"

#include <QIcon>
#include <QImage>

namespace {

using forms::Label;

Label::Style largeLabel() {
    return {layout::largeFont,    layout::yellow, layout::darkBlue,
            Label::Align::Center, false,          false};
}

Label::Style measuringLabel(std::optional<forms::OleColor> back, bool border) {
    return {layout::textFont, forms::systemWindowText, back, Label::Align::Left, border, true};
}

Label::Style linkLabel(forms::OleColor fore) {
    return {layout::textFont, fore, std::nullopt, Label::Align::Left, false, true};
}

forms::TextBoxStyle textBox(forms::OleColor back) {
    return {layout::textFont, back};
}

void place(forms::Control& control, const layout::Place& p) {
    control.move(p.left, p.top, p.width, p.height);
}

void placePicture(forms::Control& control, const layout::Place& p) {
    control.setLeft(p.left);
    control.setTop(p.top);
}

} // namespace

主畫面::主畫面(WindowServices services)
    : 分析文章(QStringLiteral("分析文章"), {}, textBox(layout::分析文章Back))
    , Text7(QStringLiteral("Text7"), layout::Text7Start)
    , 很多行(QStringLiteral("很多行"), layout::很多行Start, textBox(0x00FFFFFF))
    , 模仿高度(QStringLiteral("模仿高度"), measuringLabel(std::nullopt, false),
               layout::模仿高度Start)
    , 查詢鈕(QStringLiteral("查詢鈕"), QImage(layout::searchRaisedPicture))
    , 查詢圖(QStringLiteral("查詢圖"), QImage(layout::searchPressedPicture))
    , 外框(QStringLiteral("外框"), layout::外框Outline, layout::外框Fill)
    , 注音解說(QStringLiteral("注音解說"), largeLabel())
    , Label1(QStringLiteral("Label1"), largeLabel())
    , 限制寬度(QStringLiteral("限制寬度"), measuringLabel(layout::限制寬度Back, true))
    , 取出文字(QStringLiteral("取出文字"), measuringLabel(forms::systemWindowBackground, true),
               layout::取出文字Start)
    , Shape1(QStringLiteral("Shape1"), layout::frameOutline, layout::darkBlue)
    , Image1(QStringLiteral("Image1"), QImage(layout::backdropPicture))
    , Shape2(QStringLiteral("Shape2"), layout::frameOutline, layout::darkBlue)
    , 開啟官方(QStringLiteral("開啟官方"), linkLabel(layout::linkNormal), layout::開啟官方Start)
    , 官方2(QStringLiteral("官方2"), linkLabel(layout::官方2Fore), layout::開啟官方Start)
    , services_(std::move(services)) {
    setCaption(layout::caption);
    setWindowIcon(QIcon(layout::iconPicture));
    setBackColor(layout::backColor);
    setClientSize(layout::clientWidth, layout::clientHeight);
    placeControls();
    exposeToScreenReaders();
    wireEvents();
}

主畫面::~主畫面() = default;

void 主畫面::placeControls() {
    place(分析文章, layout::分析文章);
    place(Text7, layout::Text7);
    place(很多行, layout::很多行);
    place(模仿高度, layout::模仿高度);
    placePicture(查詢鈕, layout::查詢鈕);
    placePicture(查詢圖, layout::查詢圖);
    place(外框, layout::外框);
    place(注音解說, layout::注音解說);
    place(Label1, layout::Label1);
    place(限制寬度, layout::限制寬度);
    place(取出文字, layout::取出文字);
    place(Shape1, layout::Shape1);
    placePicture(Image1, layout::Image1);
    place(Shape2, layout::Shape2);
    place(開啟官方, layout::開啟官方);
    place(官方2, layout::官方2);

    for (forms::Control* hidden :
         std::initializer_list<forms::Control*>{&Text7, &模仿高度, &限制寬度, &取出文字})
        hidden->setVisible(false);

    add(分析文章);
    add(Text7);
    add(很多行);
    for (forms::Item* item : std::initializer_list<forms::Item*>{
             &模仿高度, &查詢鈕, &查詢圖, &外框, &注音解說, &Label1, &限制寬度, &取出文字, &Shape1,
             &Image1, &Shape2, &開啟官方, &官方2})
        add(*item);

    // Only the two visible text boxes take the focus; Tab goes from one to the other.
    setTabOrder(很多行.widget(), 分析文章.widget());
}

void 主畫面::wireEvents() {
    MouseMove = [this](const forms::MouseArgs& a) { Form_MouseMove(a); };
    很多行.GotFocus = [this] { 很多行_GotFocus(); };
    很多行.MouseMove = [this](const forms::MouseArgs& a) { 很多行_MouseMove(a); };
    Text7.Change = [this] { Text7_Change(); };
    查詢鈕.MouseDown = [this](const forms::MouseArgs& a) { 查詢鈕_MouseDown(a); };
    查詢鈕.MouseUp = [this](const forms::MouseArgs& a) { 查詢鈕_MouseUp(a); };
    查詢鈕.LostCapture = [this] { 查詢鈕_LostCapture(); };
    開啟官方.Click = [this] { 開啟官方_Click(); };
    開啟官方.MouseMove = [this](const forms::MouseArgs& a) { 開啟官方_MouseMove(a); };
    很多行.KeyDown = [this](const forms::KeyArgs& a) { 很多行_KeyDown(a); };
    很多行.KeyUp = [this](const forms::KeyArgs& a) { 很多行_KeyUp(a); };
}

bool 主畫面::Form_Load() {
    return !(services_.anotherCopyRunning && services_.anotherCopyRunning());
}

QString 主畫面::ImeQueryComp(imm::HKL hkb, const QString& bChinaWord, int nth) {
    return lookup::ImeQueryComp(*services_.imm, hkb, bChinaWord, nth);
}

imm::HKL 主畫面::toChinese() {
    return lookup::toChinese(*services_.imm, *this);
}

std::optional<imm::HWND> 主畫面::activeFormWindow() const {
    forms::Form* active = forms::Form::activeForm();
    if (!active)
        return std::nullopt;
    return static_cast<imm::HWND>(active->winId());
}

void 主畫面::processPendingMessages() {
    processPendingMessagesUnlessClosed();
}
