#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <vector>

namespace phonetic {

// How often a character stands alone in text, a piece of its own (的 and 很 very often, 學 seldom),
// as ln(1 + count) in a split corpus. From the file data/standing-alone.txt (made by
// tools/wordreadings/standing_alone.py), built into the program.
class StandingAlone {
public:
    StandingAlone() = default;

    // Lines of "character<TAB>ln(1 + count) in tenths"; blank lines and lines that begin with '#'
    // say nothing, and so does a line that is not one character of the basic plane and a count.
    static StandingAlone parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const StandingAlone& builtIn();

    // 0 for a character the file does not name, as for one never seen alone.
    double logCount(char32_t c) const { return c < tenths_.size() ? tenths_[c] / 10.0 : 0.0; }

private:
    std::vector<std::uint8_t> tenths_; // by character, the basic plane only
};

} // namespace phonetic
