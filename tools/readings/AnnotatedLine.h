#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace readings {

// One line of text with a reading for each of its characters, the characters grouped in words
// (a character on its own is a word of one). Reused from line to line, so it allocates only
// while lines keep getting longer.
class AnnotatedLine {
public:
    struct Character {
        std::uint32_t textBegin, textEnd;       // bytes of the line
        std::uint32_t readingBegin, readingEnd; // bytes of readings()
        bool startsWord;
    };

    void reset(std::string_view line) {
        line_ = line;
        characters_.clear();
        readings_.clear();
    }

    // The character at line bytes [begin, end), its reading written by `writeReading` into the
    // string it is given (appending), possibly nothing.
    template <typename WriteReading>
    void add(std::size_t begin, std::size_t end, bool startsWord, WriteReading&& writeReading) {
        const auto readingBegin = static_cast<std::uint32_t>(readings_.size());
        writeReading(readings_);
        characters_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end),
                               readingBegin, static_cast<std::uint32_t>(readings_.size()),
                               startsWord});
    }

    std::string_view line() const { return line_; }
    const std::vector<Character>& characters() const { return characters_; }
    std::string_view textOf(const Character& c) const {
        return line_.substr(c.textBegin, c.textEnd - c.textBegin);
    }
    std::string_view readingOf(const Character& c) const {
        return std::string_view(readings_).substr(c.readingBegin, c.readingEnd - c.readingBegin);
    }

private:
    std::string_view line_;
    std::vector<Character> characters_;
    std::string readings_;
};

} // namespace readings
