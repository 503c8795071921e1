#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <vector>

namespace phonetic {

// What a character costs the segmenter beyond the piece it makes, standing alone: more the less
// often it stands alone in text (學 is nearly always in a word, 很 nearly never). From the file
// data/standing-alone.txt (made by tools/wordreadings/standing_alone.py), built into the program.
class StandingAlone {
public:
    StandingAlone() = default;

    // Lines of "character<TAB>cost in tenths"; blank lines and lines that begin with '#' say
    // nothing, and so does a line that is not one character of the basic plane and a count.
    static StandingAlone parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const StandingAlone& builtIn();

    // 0 for a character the file does not name.
    double cost(char32_t c) const { return c < tenths_.size() ? tenths_[c] / 10.0 : 0.0; }

private:
    std::vector<std::uint8_t> tenths_; // by character, the basic plane only
};

} // namespace phonetic
