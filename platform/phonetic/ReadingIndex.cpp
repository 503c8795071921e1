#include "platform/phonetic/ReadingIndex.h"

#include "platform/phonetic/Ranking.h"

namespace phonetic {

ReadingIndex ReadingIndex::build(std::vector<ReadingUsage> readings) {
    ReadingIndex index;
    index.readings_ = std::move(readings);
    for (std::size_t begin = 0; begin < index.readings_.size();) {
        const std::size_t end = index.groupEnd(begin);
        rankReadings(std::span(index.readings_).subspan(begin, end - begin));
        begin = end;
    }
    return index;
}

std::size_t ReadingIndex::groupEnd(std::size_t begin) const {
    std::size_t end = begin + 1;
    while (end < readings_.size() && readings_[end].character == readings_[begin].character)
        ++end;
    return end;
}

} // namespace phonetic
