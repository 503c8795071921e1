#pragma once

#include "platform/phonetic/PhraseTree.h"

#include <span>
#include <vector>

namespace phonetic {

// Every reading that the dictionary offers, each character's together and ranked (Ranking.h).
class ReadingIndex {
public:
    ReadingIndex() = default;

    // `readings`: each character's readings together, in the engine's order, with their usage
    // figures (zero where there are none).
    static ReadingIndex build(std::vector<ReadingUsage> readings);

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
