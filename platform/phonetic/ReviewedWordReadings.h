#pragma once

#include "platform/phonetic/Zhuyin.h"

#include <QByteArrayView>

#include <string>
#include <vector>

namespace phonetic {

// Words whose Taiwan reading comes before the phrase list's own: the reviewed file
// data/word-readings.txt (proposed by tools/wordreadings/), built into the program. It names only
// words of the list and changes no other word.
class ReviewedWordReadings {
public:
    struct Entry {
        std::u32string word;
        std::vector<zhuyin::Phone> phones; // one a character
    };

    ReviewedWordReadings() = default;

    // Lines of "word<TAB>reading<TAB>source", the reading's syllables separated by spaces; blank
    // lines and lines that begin with '#' say nothing. A line whose word is shorter than two
    // characters, or whose reading is not one well-formed syllable a character, is skipped.
    static ReviewedWordReadings parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const ReviewedWordReadings& builtIn();

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

} // namespace phonetic
