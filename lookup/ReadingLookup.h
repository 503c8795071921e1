#pragma once

#include "lookup/MessagePump.h"
#include "platform/imm/InputMethodManager.h"

#include <QString>
#include <stdexcept>

// The reading lookup: make a Chinese input method the active layout, then ask it for the reverse
// conversion of one character. Neither operation keeps state between calls.
namespace lookup {

// Every failure of the lookup. The window's resume-on-error handlers catch this.
struct LookupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A position read lies outside the fetched candidate list.
struct OutOfRangeError : LookupError {
    using LookupError::LookupError;
};

// The reading window's bounds do not fit in a signed 32-bit integer.
struct OverflowError : LookupError {
    using LookupError::LookupError;
};

// toChinese was called while the program had no active form.
struct NoActiveFormError : LookupError {
    using LookupError::LookupError;
};

// Lets pending messages be processed, and returns the active layout if it is an IME; otherwise
// switches with the IME on/off hot key, processes messages again and returns whatever layout is
// then active. Fails with NoActiveFormError before reading or switching anything.
imm::HKL toChinese(imm::InputMethodManager& imm, MessagePump& pump);

// The reading number `nth` (from 1) that the IME behind `hkb` lists for `bChinaWord`, or the empty
// string when there is none: key limit 0 or less, no list, a failed fetch, nth past the list, or
// nth below 1. Fails with OutOfRangeError or OverflowError on a list that breaks its own bounds.
QString ImeQueryComp(imm::InputMethodManager& imm, imm::HKL hkb, const QString& bChinaWord,
                     int nth = 1);

} // namespace lookup
