#pragma once

#include "platform/phonetic/PhraseTree.h"
#include "platform/phonetic/ReadingOrder.h"

#include <span>
#include <vector>

namespace phonetic {

// Every reading that the dictionary offers, each character's together and ranked (Ranking.h).
class ReadingIndex {
public:
    ReadingIndex() = default;

    // `readings`: each character's readings together, in the engine's order, with their usage
    // figures (zero where there are none), ranked and then put in `order`. Readings that are not
    // well-formed syllables are left out (but for a Zhuyin symbol, which reads as itself).
    static ReadingIndex build(std::vector<ReadingUsage> readings, const ReadingOrder& order = {});

    // Calls visit(character, readings) once for each character, in the order built.
    template <typename Visit> void forEachCharacter(Visit&& visit) const {
        for (std::size_t begin = 0; begin < readings_.size();) {
            const std::size_t end = groupEnd(begin);
            visit(readings_[begin].character,
                  std::span<const ReadingUsage>(readings_.data() + begin, end - begin));
            begin = end;
        }
    }

    bool empty() const { return readings_.empty(); }
    std::size_t readingCount() const { return readings_.size(); }

private:
    std::size_t groupEnd(std::size_t begin) const;

    std::vector<ReadingUsage> readings_;
};

} // namespace phonetic
