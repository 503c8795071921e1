#include "platform/phonetic/Ranking.h"

#include <algorithm>
#include <cstdint>

namespace phonetic {
namespace {

// A neutral-tone reading yields to a full tone of the same syllable that begins words with at
// least this fraction (1/n) of the neutral reading's weight.
constexpr std::uint64_t kWordInitialShare = 10;

} // namespace

void rankReadings(std::span<ReadingUsage> readings) {
    std::stable_sort(
        readings.begin(), readings.end(),
        [](const ReadingUsage& a, const ReadingUsage& b) { return a.weight > b.weight; });
    // The neutral tone is a syllable weakened in context. A character that also begins words with
    // a full tone of that syllable is a word of its own, read with the full tone when it stands
    // alone (個 ㄍㄜˋ, although 一個 makes ㄍㄜ˙ the heavier). A particle whose full tone only
    // turns up in a rare loan (嗎 in 嗎啡) keeps the neutral tone first.
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const ReadingUsage neutral = readings[i];
        if (zhuyin::toneOf(neutral.phone) != zhuyin::kNeutralTone)
            continue;
        const auto fullTone =
            std::find_if(readings.begin() + static_cast<std::ptrdiff_t>(i) + 1, readings.end(),
                         [&](const ReadingUsage& r) {
                             return zhuyin::baseOf(r.phone) == zhuyin::baseOf(neutral.phone) &&
                                    r.weight > 0 &&
                                    r.wordInitialWeight * kWordInitialShare >= neutral.weight;
                         });
        if (fullTone == readings.end())
            continue;
        std::rotate(readings.begin() + static_cast<std::ptrdiff_t>(i),
                    readings.begin() + static_cast<std::ptrdiff_t>(i) + 1, fullTone + 1);
        --i; // the reading that moved up takes this place
    }
}

} // namespace phonetic
