#pragma once

#include <functional>

namespace forms {

// Key codes as key events report them: a letter's code is its capital's, a digit's its own.
namespace keys {
enum : int {
    Backspace = 8,
    Tab = 9,
    Return = 13,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
    F1 = 112, // to F12 = 123
};
} // namespace keys

// A key event's arguments: the key's code and the state of Shift, Ctrl and Alt (ShiftState).
struct KeyArgs {
    int keyCode = 0;
    int shift = 0;
};

using KeyHandler = std::function<void(const KeyArgs&)>;

// The code of a Qt key, or 0 for a key that has none.
int keyCodeOf(int qtKey);

} // namespace forms
