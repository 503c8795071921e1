#pragma once

#include "platform/phonetic/Lexicon.h"
#include "platform/phonetic/ReviewedWordReadings.h"
#include "platform/phonetic/Zhuyin.h"

#include <QByteArrayView>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace phonetic {

using zhuyin::Phone;

// The words of the phrase list (two characters or more), each with its readings most used
// first: the list files a word once for each way it is read, with a frequency each time.
class PhraseReadings final : public Lexicon {
public:
    PhraseReadings() = default;

    // From the list's two files (see PhraseTree.h). Empty when they are not a sound phrase list.
    // A word `reviewed` names takes the reviewed reading first, as often used as the word's most
    // used reading was; words it names that the list lacks are not added.
    static PhraseReadings
    build(QByteArrayView tree, QByteArrayView text,
          const ReviewedWordReadings& reviewed = ReviewedWordReadings::builtIn());

    Node next(Node node, char32_t c) const override;
    bool isWord(Node node) const override;
    // The frequency of the word's most used reading.
    std::uint32_t frequency(Node node) const override;

    // The node of a whole word, kNone when it is not one.
    Node find(std::u32string_view word) const;
    // The word's readings, most used first; one phone per character.
    std::size_t readingCount(Node node) const;
    std::span<const Phone> reading(Node node, std::size_t nth) const;

    bool empty() const { return words_ == 0; }
    std::size_t wordCount() const { return words_; }
    std::size_t memoryBytes() const;

private:
    class Builder;

    // The tree of characters: (parent node, character) -> child node, open addressing.
    std::vector<std::uint64_t> keys_; // parent << 21 | character; 0 for a free slot
    std::vector<Node> children_;
    std::uint64_t mask_ = 0;
    int shift_ = 64;
    // Node -> its readings: readingsOf_[node] to readingsOf_[node + 1] in readings_.
    std::vector<std::uint32_t> readingsOf_;
    struct Reading {
        std::uint32_t phonesAt; // in phones_
        std::uint32_t frequency;
    };
    std::vector<Reading> readings_;
    std::vector<Phone> phones_;
    std::vector<std::uint8_t> length_; // characters of each node's text
    std::size_t words_ = 0;
};

} // namespace phonetic
