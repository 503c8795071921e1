#include "platform/codepage/Cp950.h"

#include "platform/codepage/Utf16.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace codepage {
namespace {

constexpr char kQuestion = '?';

// One iconv conversion descriptor, opened once per thread: a descriptor keeps state between
// calls, so threads must not share one.
class Converter {
public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in` into `out`; returns the bytes written, or -1 when any of it does not
    // convert (the descriptor is then reset for the next call).
    int convert(const char* in, std::size_t inLength, char* out, std::size_t outCapacity) {
        if (!valid())
            return -1;
        char* inPtr = const_cast<char*>(in); // iconv's signature, not a write
        char* outPtr = out;
        std::size_t inLeft = inLength;
        std::size_t outLeft = outCapacity;
        const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return -1;
        }
        return static_cast<int>(outCapacity - outLeft);
    }

private:
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

Converter& encoder() {
    thread_local Converter converter("CP950", "UTF-16LE");
    return converter;
}

Converter& decoder() {
    thread_local Converter converter("UTF-32LE", "CP950");
    return converter;
}

// A code-page code: a single byte below 0x100, or lead byte << 8 | trail byte.
constexpr std::uint16_t kUnknownCode = 0xFFFF;      // not asked yet; 0xFF is never a lead byte
constexpr std::uint32_t kUnknownPoint = 0xFFFFFFFF; // not asked yet
constexpr std::uint32_t kUnmapped = 0xFFFFFFFE;     // asked: no character

// What iconv answered, per code unit and per code, filled on first use. Entries are written at
// most with the one value iconv gives, so racing writers agree and relaxed atomics suffice.
struct Cache {
    std::array<std::atomic<std::uint16_t>, 0x10000> encode;
    std::array<std::atomic<std::uint32_t>, 0x10000> decode;

    Cache() {
        for (auto& e : encode)
            e.store(kUnknownCode, std::memory_order_relaxed);
        for (auto& d : decode)
            d.store(kUnknownPoint, std::memory_order_relaxed);
    }
};

Cache& cache() {
    static const auto instance = std::make_unique<Cache>();
    return *instance;
}

std::uint16_t askEncode(const char16_t* units, int count) {
    char in[4];
    for (int i = 0; i < count; ++i) {
        in[2 * i] = static_cast<char>(units[i] & 0xFF);
        in[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    char out[8];
    const int written = encoder().convert(in, 2 * static_cast<std::size_t>(count), out, sizeof out);
    if (written == 1)
        return static_cast<std::uint8_t>(out[0]);
    if (written == 2)
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(out[0]) << 8 |
                                          static_cast<std::uint8_t>(out[1]));
    return static_cast<std::uint8_t>(kQuestion);
}

std::uint16_t encodeUnit(char16_t unit) {
    auto& slot = cache().encode[unit];
    std::uint16_t code = slot.load(std::memory_order_relaxed);
    if (code == kUnknownCode) {
        code = askEncode(&unit, 1);
        slot.store(code, std::memory_order_relaxed);
    }
    return code;
}

template <typename Bytes> void appendCode(Bytes& out, std::uint16_t code) {
    if (code > 0xFF)
        out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

template <typename Bytes> void encode(QStringView text, Bytes& out) {
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
        } else if (isSurrogatePairAt(text, i)) {
            appendCode(out, askEncode(units + i, 2));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            out.push_back(kQuestion);
        } else {
            appendCode(out, encodeUnit(unit));
        }
    }
}

std::uint32_t askDecode(std::uint16_t code) {
    char in[2];
    int length = 0;
    if (code > 0xFF)
        in[length++] = static_cast<char>(code >> 8);
    in[length++] = static_cast<char>(code & 0xFF);
    char out[16];
    if (decoder().convert(in, static_cast<std::size_t>(length), out, sizeof out) != 4)
        return kUnmapped;
    std::uint32_t point = 0;
    for (int i = 3; i >= 0; --i)
        point = point << 8 | static_cast<std::uint8_t>(out[i]);
    return point;
}

std::uint32_t decodeCode(std::uint16_t code) {
    auto& slot = cache().decode[code];
    std::uint32_t point = slot.load(std::memory_order_relaxed);
    if (point == kUnknownPoint) {
        point = askDecode(code);
        slot.store(point, std::memory_order_relaxed);
    }
    return point;
}

bool isLeadByte(std::uint8_t b) {
    return b >= 0x81 && b <= 0xFE;
}
bool isTrailByte(std::uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
}

} // namespace

std::optional<std::uint16_t> ansiCode(char32_t character) {
    if (character < 0x80)
        return static_cast<std::uint16_t>(character);
    std::uint16_t code;
    if (QChar::requiresSurrogates(character)) {
        const char16_t pair[2] = {QChar::highSurrogate(character), QChar::lowSurrogate(character)};
        code = askEncode(pair, 2);
    } else if (character <= 0xFFFF && !QChar::isSurrogate(character)) {
        code = encodeUnit(static_cast<char16_t>(character));
    } else {
        return std::nullopt;
    }
    // '?' is only an answer for '?' itself, which the fast path above took.
    if (code == static_cast<std::uint8_t>(kQuestion))
        return std::nullopt;
    return code;
}

std::optional<char32_t> characterOf(std::uint16_t code) {
    if (code < 0x80)
        return code;
    const std::uint32_t point = decodeCode(code);
    if (point == kUnmapped)
        return std::nullopt;
    return point;
}

QByteArray toAnsi(QStringView text) {
    QByteArray out;
    out.reserve(2 * text.size());
    encode(text, out);
    return out;
}

void appendAnsi(QStringView text, std::string& out) {
    encode(text, out);
}

QString fromAnsi(QByteArrayView bytes) {
    // At most one UTF-16 unit per byte, or two for a pair of bytes.
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b < 0x80) {
            *to++ = QChar(b);
            continue;
        }
        std::uint16_t code = b;
        if (isLeadByte(b) && i + 1 < size && isTrailByte(data[i + 1]))
            code = static_cast<std::uint16_t>(b << 8 | data[++i]);
        const std::uint32_t point = decodeCode(code);
        if (point == kUnmapped) {
            *to++ = QChar(kQuestion);
        } else if (QChar::requiresSurrogates(point)) {
            *to++ = QChar(QChar::highSurrogate(point));
            *to++ = QChar(QChar::lowSurrogate(point));
        } else {
            *to++ = QChar(static_cast<char16_t>(point));
        }
    }
    out.truncate(to - out.constData());
    return out;
}

} // namespace codepage
