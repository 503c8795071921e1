#pragma once
// The window as the benchmarks run it: the real input method, no browser, no other copy.
#include "platform/imm/SystemInputMethodManager.h"
#include "window/MainWindow.h"

#include <memory>

inline std::unique_ptr<主畫面> makeBenchWindow() {
    WindowServices services;
    services.imm = imm::makeSystemInputMethodManager();
    services.openUrl = [](const QString&, std::function<void()>) {};
    services.anotherCopyRunning = [] { return false; };
    return std::make_unique<主畫面>(std::move(services));
}
