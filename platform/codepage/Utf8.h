#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace codepage {

// Decodes the UTF-8 sequence that starts at text[pos] and moves pos past it. Strict: overlong
// forms, surrogates, code points above U+10FFFF and truncated sequences give nothing and leave
// pos where it was.
inline std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& pos) {
    if (pos >= text.size())
        return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length;
    char32_t point;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < static_cast<std::size_t>(length))
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const std::uint8_t next = byte(pos + i);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        point = point << 6 | (next & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return point;
}

} // namespace codepage
