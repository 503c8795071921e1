#pragma once

#include "platform/phonetic/Lexicon.h"
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

// Splits text into the lexicon's words along the best-scoring path: each word scores the log of
// its frequency less a fixed cost, each character left on its own the cost and what `alone` adds
// for it. So a word always beats its characters taken singly, between overlapping words the more
// used wins, unless it leaves on its own a character that seldom stands alone (很好/客 loses to
// 很/好客); longer words win where their frequency holds up against the words they would replace.
class Segmenter {
public:
    Segmenter(const Lexicon& lexicon, const StandingAlone& alone)
        : lexicon_(lexicon)
        , alone_(alone) {}

    // Replaces `out` with the pieces of `text`, in order, covering it whole. Buffers are kept for
    // the next call; they grow with the longest text.
    void split(std::span<const char32_t> text, std::vector<Word>& out);

private:
    struct Step {
        double score;
        std::uint32_t from; // where the last piece begins
        Lexicon::Node node; // the last piece's word, or kNone
    };

    const Lexicon& lexicon_;
    const StandingAlone& alone_;
    std::vector<Step> best_;
};

} // namespace phonetic
