#pragma once

#include "platform/imm/SystemInputMethodManager.h"
#include "window/Layout.h"
#include "window/MainWindow.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

// The real phonetic input method, with a few levers for tests: count the lookups, make them fail,
// and run code while a lookup is under way.
class TestIme : public imm::InputMethodManager {
public:
    explicit TestIme(std::unique_ptr<imm::InputMethodManager> real)
        : real_(std::move(real)) {}

    int lookups = 0;   // key-limit escapes: one per ImeQueryComp
    bool fail = false; // answer a list too short to hold a count: the lookup fails
    std::function<void()> duringLookup;

    std::int32_t ImmEscapeA(imm::HKL hkl, imm::HIMC himc, std::uint32_t escape,
                            void* data) override {
        ++lookups;
        if (duringLookup)
            duringLookup();
        return real_->ImmEscapeA(hkl, himc, escape, data);
    }
    std::int32_t ImmGetConversionListA(imm::HKL hkl, imm::HIMC himc, const char* source,
                                       void* destination, std::uint32_t length,
                                       std::uint32_t flag) override {
        if (fail)
            return 5;
        return real_->ImmGetConversionListA(hkl, himc, source, destination, length, flag);
    }
    bool ImmIsIME(imm::HKL hkl) override { return real_->ImmIsIME(hkl); }
    bool ImmSimulateHotKey(imm::HWND hwnd, std::uint32_t hotKey) override {
        return real_->ImmSimulateHotKey(hwnd, hotKey);
    }
    imm::HKL GetKeyboardLayout(std::uint32_t thread) override {
        return real_->GetKeyboardLayout(thread);
    }

private:
    std::unique_ptr<imm::InputMethodManager> real_;
};

constexpr QPointF middleOf(layout::Place p) {
    return {p.left + p.width / 2, p.top + p.height / 2};
}

// The main window, shown on the offscreen platform, with recorded browser starts and messages.
struct WindowTest : ::testing::Test {
    TestIme* ime = nullptr;
    QStringList opened;
    QStringList told;
    bool openerFails = false;
    std::unique_ptr<主畫面> w;

    // Points into the client area, from the window's layout: the input box, the middle of the
    // analyse button and of the link label.
    static constexpr double boxLeft = layout::很多行.left, boxTop = layout::很多行.top,
                            boxWidth = layout::很多行.width;
    static constexpr QPointF analyse = middleOf(layout::查詢鈕);
    static constexpr QPointF link = middleOf(layout::開啟官方);

    // The input method under the TestIme; tests of a damaged dictionary hand in their own.
    virtual std::unique_ptr<imm::InputMethodManager> realIme() {
        return imm::makeSystemInputMethodManager();
    }
    // The last word on the services before the window is made.
    virtual void adjustServices(WindowServices&) {}

    void SetUp() override {
        WindowServices services;
        auto test = std::make_unique<TestIme>(realIme());
        ime = test.get();
        services.imm = std::move(test);
        services.openUrl = [this](const QString& url, std::function<void()> failed) {
            opened << url;
            if (openerFails)
                failed();
        };
        services.anotherCopyRunning = [] { return false; };
        services.tell = [this](const QString& text) { told << text; };
        adjustServices(services);
        w = std::make_unique<主畫面>(std::move(services));
        w->show();
    }

    void mouse(forms::Form::MouseAction action, double x, double y, int button = 0,
               int buttons = 0) {
        w->dispatchMouse(action, {x, y}, button, buttons, 0);
    }
    // The pointer at x twips from the input box's left edge. Outside the box it gets there by
    // dragging from inside, as the box keeps the mouse while a button is held.
    void pointAt(double x) {
        using A = forms::Form::MouseAction;
        if (x >= 0 && x < boxWidth) {
            mouse(A::Move, boxLeft + x, boxTop + 100);
            return;
        }
        mouse(A::Down, boxLeft + 10, boxTop + 100, forms::LeftButton, forms::LeftButton);
        mouse(A::Move, boxLeft + x, boxTop + 100, 0, forms::LeftButton);
        mouse(A::Up, boxLeft + x, boxTop + 100, forms::LeftButton, 0);
    }
    // Below the backdrop and right of the link label: no control there is shown.
    void crossBareWindow() { mouse(forms::Form::MouseAction::Move, 3000, 2400); }
    void pressAnalyse(int button = forms::LeftButton) {
        mouse(forms::Form::MouseAction::Down, analyse.x(), analyse.y(), button, button);
        mouse(forms::Form::MouseAction::Up, analyse.x(), analyse.y(), button, 0);
    }
    void type(const QString& text) { w->很多行.setText(text); }
    // Runs f from the event loop the next time a lookup lets pending messages be handled; dropped
    // with the window if that never happens.
    void whenMessagesRun(std::function<void()> f) {
        QMetaObject::invokeMethod(w.get(), std::move(f), Qt::QueuedConnection);
    }
};
