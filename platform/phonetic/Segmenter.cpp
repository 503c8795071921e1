#include "platform/phonetic/Segmenter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace phonetic {
namespace {

// What each piece costs; about the log of the largest frequencies, so that a common word's
// frequency pays for it several times over.
constexpr double kPieceCost = 10.0;
// Words longer than this are not looked for; the dictionary's longest has eleven characters.
constexpr std::size_t kLongestWord = 16;

} // namespace

void Segmenter::split(std::span<const char32_t> text, std::vector<Word>& out) {
    out.clear();
    const std::size_t n = text.size();
    best_.assign(n + 1, {-std::numeric_limits<double>::infinity(), 0, Lexicon::kNone});
    best_[0].score = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double here = best_[i].score;
        const double alone = here - kPieceCost - alone_.cost(text[i]);
        if (alone > best_[i + 1].score)
            best_[i + 1] = {alone, static_cast<std::uint32_t>(i), Lexicon::kNone};
        Lexicon::Node node = lexicon_.next(Lexicon::kRoot, text[i]);
        for (std::size_t end = i + 1; node != Lexicon::kNone && end < n && end - i < kLongestWord;
             ++end) {
            node = lexicon_.next(node, text[end]);
            if (node == Lexicon::kNone || !lexicon_.isWord(node))
                continue;
            const double score =
                here + std::log1p(static_cast<double>(lexicon_.frequency(node))) - kPieceCost;
            if (score > best_[end + 1].score)
                best_[end + 1] = {score, static_cast<std::uint32_t>(i), node};
        }
    }
    for (std::size_t end = n; end > 0;) {
        const Step& step = best_[end];
        out.push_back({step.from, end - step.from, step.node});
        end = step.from;
    }
    std::reverse(out.begin(), out.end());
}

} // namespace phonetic
