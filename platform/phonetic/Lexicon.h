#pragma once

#include <cstdint>

namespace phonetic {

// What the segmenter needs of a dictionary: its words as a tree of characters, walked one
// character at a time, and how often each word is used.
class Lexicon {
public:
    using Node = std::uint32_t;
    static constexpr Node kRoot = 0;
    static constexpr Node kNone = UINT32_MAX;

    virtual ~Lexicon() = default;
    // The node of the text that leads to `node` followed by `c`; kNone when no word goes on so.
    virtual Node next(Node node, char32_t c) const = 0;
    // Whether the text that leads to `node` is a word (of two characters or more).
    virtual bool isWord(Node node) const = 0;
    // How often the word is used; 0 for a word the dictionary knows but never counted.
    virtual std::uint32_t frequency(Node node) const = 0;
};

} // namespace phonetic
