#pragma once

#include "lookup/MessagePump.h"
#include "platform/imm/InputMethodManager.h"

#include <QString>
#include <stdexcept>

// The reading lookup: make a Chinese input method the active layout, then ask it for the reverse
// conversion of one character. (Declared here so the window can compile against it; the lookup
// layer's owner implements and may extend it.)
namespace lookup {

struct LookupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

imm::HKL toChinese(imm::InputMethodManager& imm, MessagePump& pump);
QString ImeQueryComp(imm::InputMethodManager& imm, imm::HKL hkb, const QString& bChinaWord,
                     int nth = 1);

} // namespace lookup
