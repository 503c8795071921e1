#include "platform/phonetic/Ranking.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace phonetic {
namespace {

// A neutral-tone reading yields to a full tone of the same syllable that begins words with at
// least this fraction (1/n) of the neutral reading's weight.
constexpr std::uint64_t kWordInitialShare = 10;

// Sentence-final particles. Phrases do not end sentences, so the phrase list hardly shows their
// particle reading (呢 ㄋㄜ˙ weighs nothing beside 呢喃's ㄋㄧˊ); standing alone, it is still the
// reading a reader expects. One that is mostly a word of its own gets its order from the
// reviewed reading order.
constexpr char32_t kParticles[] = U"呢啊呀啦囉喲哦";

bool isParticle(char32_t c) {
    return std::char_traits<char32_t>::find(kParticles, std::size(kParticles) - 1, c) != nullptr;
}

// Moves the first reading in [from, end) that `wanted` accepts to `from`; false when none does.
template <typename Predicate>
bool bringForward(std::span<ReadingUsage>::iterator from, std::span<ReadingUsage>::iterator end,
                  Predicate wanted) {
    const auto found = std::find_if(from, end, wanted);
    if (found == end)
        return false;
    std::rotate(from, found, found + 1);
    return true;
}

} // namespace

void rankReadings(std::span<ReadingUsage> readings, std::span<const zhuyin::Phone> leading) {
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
    if (!readings.empty() && isParticle(readings.front().character)) {
        bringForward(readings.begin(), readings.end(), [](const ReadingUsage& r) {
            return zhuyin::toneOf(r.phone) == zhuyin::kNeutralTone;
        });
    }
    // The reviewed order has the last word, over the readings that are there.
    auto next = readings.begin();
    for (const zhuyin::Phone phone : leading) {
        if (bringForward(next, readings.end(),
                         [phone](const ReadingUsage& r) { return r.phone == phone; }))
            ++next;
    }
}

} // namespace phonetic
