#include "platform/phonetic/Segmenter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace phonetic {
namespace {

// What each piece costs: above the log of the largest counts (about 15 for 的 on its own), so that
// fewer pieces win unless the more pieces are used much more.
constexpr double kPieceCost = 20.0;
// A run-together word scores as if used a tenth as often.
constexpr double kRunTogetherCost = std::numbers::ln10;
// How much any word but a run-together one scores above its characters each on its own, however
// seldom the word is used (年分 over 年/分).
constexpr double kAboveSingly = 0.001;
// Words longer than this are not looked for; the dictionary's longest has eleven characters.
constexpr std::size_t kLongestWord = 16;

} // namespace

Segmenter::Segmenter(const Lexicon& lexicon, const StandingAlone& alone,
                     const RunTogetherWords& runTogether)
    : lexicon_(lexicon)
    , alone_(alone) {
    for (const std::u32string& word : runTogether.words()) {
        Lexicon::Node node = Lexicon::kRoot;
        for (const char32_t c : word)
            node = lexicon_.next(node, c);
        if (node == Lexicon::kNone || !lexicon_.isWord(node))
            continue;
        if (node >= runTogether_.size())
            runTogether_.resize(std::size_t{node} + 1);
        runTogether_[node] = true;
    }
}

void Segmenter::split(std::span<const char32_t> text, std::vector<Word>& out) {
    out.clear();
    const std::size_t n = text.size();
    best_.assign(n + 1, {-std::numeric_limits<double>::infinity(), 0, Lexicon::kNone});
    best_[0].score = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double here = best_[i].score;
        const double alone = here + alone_.logCount(text[i]) - kPieceCost;
        if (alone > best_[i + 1].score)
            best_[i + 1] = {alone, static_cast<std::uint32_t>(i), Lexicon::kNone};
        Lexicon::Node node = lexicon_.next(Lexicon::kRoot, text[i]);
        double singly = alone - here; // the characters so far, each on its own
        for (std::size_t end = i + 1; node != Lexicon::kNone && end < n && end - i < kLongestWord;
             ++end) {
            node = lexicon_.next(node, text[end]);
            singly += alone_.logCount(text[end]) - kPieceCost;
            if (node == Lexicon::kNone || !lexicon_.isWord(node))
                continue;
            double score = std::log1p(static_cast<double>(lexicon_.frequency(node))) - kPieceCost;
            if (runTogether(node))
                score -= kRunTogetherCost;
            else
                score = std::max(score, singly + kAboveSingly);
            score += here;
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
