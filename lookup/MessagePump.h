#pragma once

#include "platform/imm/InputMethodManager.h"

#include <optional>

namespace lookup {

// What toChinese needs of the window system: the active form's window and a way to let pending
// window messages be handled from inside a handler.
class MessagePump {
public:
    virtual ~MessagePump() = default;
    // The window handle of the program's active form, or nothing when no form is active.
    virtual std::optional<imm::HWND> activeFormWindow() const = 0;
    // Handles the window messages waiting for this thread, running their handlers, then returns.
    virtual void processPendingMessages() = 0;
};

} // namespace lookup
