#pragma once

#include <QByteArrayView>

#include <string>
#include <vector>

namespace phonetic {

// Words of the phrase list that are mostly two words run together (你的, 很好, 多為): the split
// trusts them less. From the file data/run-together.txt (made by
// tools/wordreadings/standing_alone.py), built into the program.
class RunTogetherWords {
public:
    RunTogetherWords() = default;

    // A word a line; blank lines and lines that begin with '#' say nothing, and neither does a
    // line shorter than two characters.
    static RunTogetherWords parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const RunTogetherWords& builtIn();

    const std::vector<std::u32string>& words() const { return words_; }

private:
    std::vector<std::u32string> words_;
};

} // namespace phonetic
