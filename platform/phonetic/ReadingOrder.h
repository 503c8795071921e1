#pragma once

#include "platform/phonetic/Zhuyin.h"

#include <QByteArrayView>

#include <cstdint>
#include <span>
#include <vector>

namespace phonetic {

// For some characters, the readings that come before the others, in that order: the reviewed
// reading-order file (data/reading-order.txt, made by tools/readingorder/), built into the
// program so that what a user sees never depends on which other dictionaries are installed.
class ReadingOrder {
public:
    ReadingOrder() = default;

    // Lines of "character reading [reading...]", separated by spaces; blank lines and lines that
    // begin with '#' say nothing. A reading that is not a well-formed syllable is skipped, and so
    // is a line whose first field is not one character.
    static ReadingOrder parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const ReadingOrder& builtIn();

    // The readings that come first for `character`, in order; empty for most characters.
    std::span<const zhuyin::Phone> leadingReadings(char32_t character) const;

    std::size_t characterCount() const { return entries_.size(); }

private:
    struct Entry {
        char32_t character;
        std::uint32_t begin, end; // in phones_
    };
    std::vector<Entry> entries_; // ascending by character
    std::vector<zhuyin::Phone> phones_;
};

} // namespace phonetic
