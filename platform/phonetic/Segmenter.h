#pragma once

#include "platform/phonetic/Lexicon.h"
#include "platform/phonetic/RunTogetherWords.h"
#include "platform/phonetic/StandingAlone.h"

#include <cstddef>
#include <span>
#include <vector>

namespace phonetic {

// One piece of a split text: a word of the lexicon, or a character on its own (node kNone).
struct Word {
    std::size_t begin;
    std::size_t length;
    Lexicon::Node node;
};

// Splits text into the lexicon's words along the best-scoring path: each piece scores the log of
// how often it is used less a fixed cost, a word by its frequency, a character on its own by how
// often it stands alone (`alone`). So between overlapping words the more used wins, and fewer
// pieces give way to more that are used much more (在朝/會上 loses to 在/朝會/上). A word always
// beats its characters each on its own, except a word of `runTogether`, which also scores as if
// used a tenth as often (很好/客 loses to 很/好客).
class Segmenter {
public:
    Segmenter(const Lexicon& lexicon, const StandingAlone& alone,
              const RunTogetherWords& runTogether = RunTogetherWords::builtIn());

    // Replaces `out` with the pieces of `text`, in order, covering it whole. Buffers are kept for
    // the next call; they grow with the longest text.
    void split(std::span<const char32_t> text, std::vector<Word>& out);

private:
    struct Step {
        double score;
        std::uint32_t from; // where the last piece begins
        Lexicon::Node node; // the last piece's word, or kNone
    };

    bool runTogether(Lexicon::Node node) const {
        return node < runTogether_.size() && runTogether_[node];
    }

    const Lexicon& lexicon_;
    const StandingAlone& alone_;
    std::vector<bool> runTogether_; // by node
    std::vector<Step> best_;
};

} // namespace phonetic
