#pragma once

#include "lookup/MessagePump.h"
#include "platform/desktop/UrlOpener.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Picture.h"
#include "platform/forms/Shape.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/WidgetTextBoxes.h"
#include "platform/imm/InputMethodManager.h"

#include <cstdint>
#include <memory>

// What the main window needs from outside: the input method, the browser opener and the check for
// another running copy. Tests hand in their own.
struct WindowServices {
    std::unique_ptr<imm::InputMethodManager> imm;
    desktop::UrlOpener openUrl;
    std::function<bool()> anotherCopyRunning;
    // Tells the user something in a short message (a failure, a browser that would not start).
    std::function<void(const QString&)> tell;
};

// The main window: its controls, its three window-level variables, its methods and its event
// handlers. Handlers live in files by concern: pointing, listing, the link label, and use by
// keyboard and screen reader.
class 主畫面 : public forms::Form, private lookup::MessagePump {
public:
    explicit 主畫面(WindowServices services);
    ~主畫面() override;

    // The load handler. False when the program must end before the window is shown.
    bool Form_Load();
    void setNotifier(std::function<void(const QString&)> tell) { services_.tell = std::move(tell); }

    // Window-level variables.
    std::int16_t readyFlag = 0; // True is -1
    std::int32_t widthLimit = 0;
    QString currentChar;

    // Controls, in stacking order (first in front). The hidden ones are the window's working
    // storage: the handlers pass text through them and measure it with them.
    forms::MultiLineTextBox 分析文章; // the output box: the listing, a line a character
    forms::MemoryTextBox Text7;       // hidden: the prefix store, the text up to the pointer
    forms::LineTextBox 很多行;        // the input box the user types or pastes into
    forms::Label 模仿高度;            // hidden: measures the listing's height for the output box
    forms::Picture 查詢鈕;            // the analyse button; hides while held down
    forms::Picture 查詢圖;            // the pressed face, seen while the button hides
    forms::Shape 外框;                // the frame around the input box
    forms::Label 注音解說;            // the reading label: the pointed character's reading
    forms::Label Label1;              // the character label: the pointed character
    forms::Label 限制寬度;            // hidden: the width gauge for prefixes
    forms::Label 取出文字;            // hidden: passes the input box's text on to the prefix store
    forms::Shape Shape1;              // the frame around the character label
    forms::Picture Image1;            // the backdrop behind both labels
    forms::Shape Shape2;              // the frame around the reading label
    forms::Label 開啟官方;            // the link label that opens the maker's web page
    forms::Label 官方2;               // the link label's shadow, one pixel behind it

    // Methods.
    QString ImeQueryComp(imm::HKL hkb, const QString& bChinaWord, int nth = 1);
    imm::HKL toChinese();
    void 取出注音();

    // Event handlers.
    void Form_MouseMove(const forms::MouseArgs& args);
    void 很多行_GotFocus();
    void 很多行_MouseMove(const forms::MouseArgs& args);
    void Text7_Change();
    void 查詢鈕_MouseDown(const forms::MouseArgs& args);
    void 查詢鈕_MouseUp(const forms::MouseArgs& args);
    void 查詢鈕_LostCapture();
    void 開啟官方_Click();
    void 開啟官方_MouseMove(const forms::MouseArgs& args);
    void 很多行_KeyDown(const forms::KeyArgs& args);
    void 很多行_KeyUp(const forms::KeyArgs& args);

    // Lookups started by the pointing handlers that are still running (they nest through message
    // processing); bounded so a storm of mouse moves cannot exhaust the stack.
    static constexpr int maxNestedLookups = 4;

private:
    std::optional<imm::HWND> activeFormWindow() const override;
    void processPendingMessages() override;
    void wireEvents();
    void placeControls();
    void exposeToScreenReaders();
    // The last steps of a change of the prefix store: its last character is the pointed one.
    void showPointedCharacter();

    WindowServices services_;
    int lookupsRunning_ = 0;
    QString settledPrefix_; // the prefix store's last settled text, for the limit below
    std::int32_t settledLimit_ = 0;
};
