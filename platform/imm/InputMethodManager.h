#pragma once

#include <cstdint>

// The Input Method Manager as the program sees it: the handful of operations the reading lookup
// needs, with the argument and result types the program passes and reads. On Windows the real
// imm32/user32 stand behind it; on Linux our phonetic input method does; tests script it.
namespace imm {

using HKL = std::uint32_t;   // keyboard layout handle, held as a 32-bit integer
using HWND = std::uintptr_t; // window handle
using HIMC = std::uintptr_t; // input context (the lookup always passes 0)

inline constexpr std::uint32_t IME_ESC_MAX_KEY = 0x1005;
inline constexpr std::uint32_t GCL_REVERSECONVERSION = 2;
inline constexpr std::uint32_t IME_THOTKEY_IME_NONIME_TOGGLE = 0x70;
inline constexpr std::uint32_t IME_CAND_READ = 1; // a CANDIDATELIST's style: readings

// Where each field of a CANDIDATELIST lies, as Windows lays it out: six little-endian dwords, then
// dwOffset[dwCount] (each string's position from the start of the list), then the strings, each
// ended by a zero byte.
namespace candidatelist {
inline constexpr std::uint32_t kSize = 0; // dwSize: the whole list, strings included
inline constexpr std::uint32_t kStyle = 4;
inline constexpr std::uint32_t kCount = 8;
inline constexpr std::uint32_t kSelection = 12;
inline constexpr std::uint32_t kPageStart = 16;
inline constexpr std::uint32_t kPageSize = 20;
inline constexpr std::uint32_t kOffsets = 24; // dwOffset[0]; the fixed part ends here
} // namespace candidatelist

class InputMethodManager {
public:
    virtual ~InputMethodManager() = default;

    virtual std::int32_t ImmEscapeA(HKL hkl, HIMC himc, std::uint32_t escape, void* data) = 0;
    // source: zero-terminated text in code page 950. With bufferLength 0 nothing is written and
    // the answer is the number of bytes the list needs.
    virtual std::int32_t ImmGetConversionListA(HKL hkl, HIMC himc, const char* source,
                                               void* destination, std::uint32_t bufferLength,
                                               std::uint32_t flag) = 0;
    virtual bool ImmIsIME(HKL hkl) = 0;
    virtual bool ImmSimulateHotKey(HWND hwnd, std::uint32_t hotKey) = 0;
    virtual HKL GetKeyboardLayout(std::uint32_t threadId) = 0;
};

} // namespace imm
