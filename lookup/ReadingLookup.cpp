#include "lookup/ReadingLookup.h"

#include "platform/codepage/Cp950.h"

#include <QVarLengthArray>
#include <QtEndian>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace lookup {
namespace {

// The fetch buffer: list size + 1 bytes, zero at creation. Lists of a few readings fit on the
// stack.
using FetchBuffer = QVarLengthArray<char, 256>;

// The little-endian dword at `position`; positions 0 to list size are inside the buffer.
std::uint32_t readDword(const FetchBuffer& buffer, std::int64_t position, const char* what) {
    if (position < 0 || position + 3 >= buffer.size())
        throw OutOfRangeError(what);
    return qFromLittleEndian<std::uint32_t>(buffer.data() + position);
}

bool fitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

imm::HKL toChinese(imm::InputMethodManager& imm, MessagePump& pump) {
    const std::optional<imm::HWND> form = pump.activeFormWindow();
    if (!form)
        throw NoActiveFormError("toChinese: the program has no active form");
    pump.processPendingMessages();
    const imm::HKL layout = imm.GetKeyboardLayout(0);
    if (imm.ImmIsIME(layout))
        return layout;
    imm.ImmSimulateHotKey(*form, imm::IME_THOTKEY_IME_NONIME_TOGGLE);
    pump.processPendingMessages();
    return imm.GetKeyboardLayout(0);
}

QString ImeQueryComp(imm::InputMethodManager& imm, imm::HKL hkb, const QString& bChinaWord,
                     int nth) {
    // No candidate comes before the first; reading for it would fall outside the offsets.
    if (nth < 1)
        return {};

    char noData[] = "";
    const std::int32_t keyLimit = imm.ImmEscapeA(hkb, 0, imm::IME_ESC_MAX_KEY, noData);
    if (keyLimit <= 0)
        return {};

    std::string source;
    codepage::appendAnsi(bChinaWord, source);
    std::array<char, 32> scratch{};
    const std::int32_t listSize = imm.ImmGetConversionListA(hkb, 0, source.c_str(), scratch.data(),
                                                            0, imm::GCL_REVERSECONVERSION);
    if (listSize <= 0)
        return {};

    FetchBuffer buffer(qsizetype{listSize} + 1);
    std::fill(buffer.begin(), buffer.end(), '\0');
    const std::int32_t fetched =
        imm.ImmGetConversionListA(hkb, 0, source.c_str(), buffer.data(),
                                  static_cast<std::uint32_t>(listSize), imm::GCL_REVERSECONVERSION);
    buffer[listSize] = '\0'; // never offered to the IME: every string ends inside the buffer

    const std::uint32_t count =
        readDword(buffer, imm::candidatelist::kCount, "ImeQueryComp: dwCount");
    if (fetched <= 0)
        return {};
    if (static_cast<std::uint32_t>(nth) > count)
        return {};

    const std::int64_t entry = imm::candidatelist::kOffsets + (std::int64_t{nth} - 1) * 4;
    const std::int64_t start = readDword(buffer, entry, "ImeQueryComp: dwOffset");

    const std::int64_t window = std::int64_t{keyLimit} * 2;
    if (!fitsInt32(window) || !fitsInt32(start + window))
        throw OverflowError("ImeQueryComp: reading window");
    if (start >= buffer.size())
        throw OutOfRangeError("ImeQueryComp: candidate string");

    const std::int64_t last = std::min<std::int64_t>(start + window, listSize);
    qsizetype length = 0;
    while (start + length <= last && buffer[start + length] != '\0')
        ++length;
    return codepage::fromAnsi(QByteArrayView(buffer.data() + start, length));
}

} // namespace lookup
