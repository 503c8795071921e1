// ImeQueryComp against an input method whose every answer comes from the fuzz input. The lookup
// must never read or write outside its buffers, must make only the calls its answers allow, and
// must give either exactly what a plain reading of the candidate list gives or a LookupError.
//
// Input: key limit, list size, fetch result and nth as little-endian int32s, a filler byte, a
// word of up to three UTF-16 units (a length byte, then the units), then the list's bytes. Bytes
// missing at the end read as zero.
#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// A list claimed larger than this is taken as this large: the lookup allocates what the input
// method claims, and gigabytes of zeros find nothing that a few kilobytes do not.
constexpr std::int32_t kMaxListSize = 1 << 16;
constexpr imm::HKL kLayout = 0xE0080404;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "ime_query_comp_fuzzer: %s\n", what);
    __builtin_trap();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::int32_t int32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t{byte()} << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    QByteArray rest() {
        const std::size_t from = std::min(pos_, size_);
        pos_ = size_;
        return QByteArray(reinterpret_cast<const char*>(data_ + from),
                          static_cast<qsizetype>(size_ - from));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

struct Answers {
    std::int32_t keyLimit, listSize, fetched, nth;
    char filler;
    QString word;
    QByteArray list;
};

// Answers as scripted, and checks what the lookup asks: the key limit first, a size query with no
// room offered, then a fetch offered exactly the size it was told.
class FuzzedIme final : public imm::InputMethodManager {
public:
    explicit FuzzedIme(const Answers& a)
        : a_(a) {}

    int escapes = 0, sizeQueries = 0, fetches = 0;

    std::int32_t ImmEscapeA(imm::HKL hkl, imm::HIMC himc, std::uint32_t escape,
                            void* data) override {
        ++escapes;
        if (hkl != kLayout || himc != 0 || escape != imm::IME_ESC_MAX_KEY || !data ||
            *static_cast<const char*>(data) != '\0')
            fail("key-limit escape asked wrongly");
        return a_.keyLimit;
    }

    std::int32_t ImmGetConversionListA(imm::HKL hkl, imm::HIMC himc, const char* source,
                                       void* destination, std::uint32_t length,
                                       std::uint32_t flag) override {
        if (hkl != kLayout || himc != 0 || flag != imm::GCL_REVERSECONVERSION || !source ||
            !destination)
            fail("conversion list asked wrongly");
        (void)std::strlen(source); // zero-terminated, within its buffer
        if (length == 0) {
            ++sizeQueries;
            return a_.listSize;
        }
        ++fetches;
        if (sizeQueries != 1 || length != static_cast<std::uint32_t>(a_.listSize))
            fail("fetch not offered the size that the size query gave");
        // The whole length offered is written, so a buffer shorter than it is caught.
        auto* out = static_cast<char*>(destination);
        const auto copied = std::min<std::size_t>(length, static_cast<std::size_t>(a_.list.size()));
        std::memcpy(out, a_.list.constData(), copied);
        std::memset(out + copied, a_.filler, length - copied);
        return a_.fetched;
    }

    bool ImmIsIME(imm::HKL) override { return true; }
    bool ImmSimulateHotKey(imm::HWND, std::uint32_t) override { return false; }
    imm::HKL GetKeyboardLayout(std::uint32_t) override { return kLayout; }

private:
    const Answers& a_;
};

std::uint32_t dwordAt(const QByteArray& buffer, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(buffer.constData() + at);
}

enum class Outcome { Text, Failure, Unsettled };
struct Expected {
    Outcome outcome;
    QByteArray bytes;
    int escapes, sizeQueries, fetches;
};

// The lookup read plainly off the buffer the input method filled, in 64-bit arithmetic.
Expected expectedOf(const Answers& a) {
    if (a.nth < 1)
        return {Outcome::Unsettled, {}, 0, 0, 0};
    if (a.keyLimit <= 0)
        return {Outcome::Text, {}, 1, 0, 0};
    if (a.listSize <= 0)
        return {Outcome::Text, {}, 1, 1, 0};

    const qsizetype size = a.listSize; // positions 0 to size
    QByteArray buffer = a.list.left(a.listSize);
    buffer.append(QByteArray(size - buffer.size(), a.filler));
    buffer.append('\0');
    const auto failure = Expected{Outcome::Failure, {}, 1, 1, 1};
    if (imm::candidatelist::kCount + 3 > size)
        return failure;
    const std::uint32_t count = dwordAt(buffer, imm::candidatelist::kCount);
    if (a.fetched <= 0 || static_cast<std::uint32_t>(a.nth) > count)
        return {Outcome::Text, {}, 1, 1, 1};
    const qsizetype entry = imm::candidatelist::kOffsets + (qsizetype{a.nth} - 1) * 4;
    if (entry + 3 > size)
        return failure;
    const qsizetype start = dwordAt(buffer, entry);
    const qsizetype window = 2 * qsizetype{a.keyLimit};
    constexpr qsizetype maxInt32 = std::numeric_limits<std::int32_t>::max();
    if (window > maxInt32 || start + window > maxInt32 || start > size)
        return failure;
    QByteArray taken;
    for (qsizetype i = start; i <= start + window && buffer[i] != '\0'; ++i)
        taken.append(buffer[i]);
    return {Outcome::Text, taken, 1, 1, 1};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    Answers a;
    a.keyLimit = in.int32();
    a.listSize = std::min(in.int32(), kMaxListSize);
    a.fetched = in.int32();
    a.nth = in.int32();
    a.filler = static_cast<char>(in.byte());
    const int units = in.byte() % 4;
    for (int i = 0; i < units; ++i) {
        const std::uint16_t low = in.byte();
        a.word.append(QChar(static_cast<char16_t>(low | in.byte() << 8)));
    }
    a.list = in.rest();

    FuzzedIme ime(a);
    std::optional<QString> result;
    try {
        result = lookup::ImeQueryComp(ime, kLayout, a.word, a.nth);
    } catch (const lookup::LookupError&) {
    }
    // Anything else thrown escapes to libFuzzer, which reports it as a crash.

    const Expected expected = expectedOf(a);
    if (expected.outcome == Outcome::Unsettled)
        return 0;
    if (ime.escapes != expected.escapes || ime.sizeQueries != expected.sizeQueries ||
        ime.fetches != expected.fetches)
        fail("calls made differ from what the answers allow");
    if (expected.outcome == Outcome::Failure) {
        if (result)
            fail("a result where the list breaks its bounds");
    } else if (!result) {
        fail("a failure where the list is sound");
    } else if (*result != codepage::fromAnsi(expected.bytes)) {
        fail("a reading other than the list's");
    }
    return 0;
}
