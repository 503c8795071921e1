#include "platform/phonetic/ReadingIndex.h"

#include "platform/phonetic/Ranking.h"

#include <algorithm>

namespace phonetic {
namespace {

// A well-formed syllable, or a Zhuyin symbol's own name (ㄅ reads ㄅ).
bool isListable(const ReadingUsage& reading) {
    if (zhuyin::isWellFormed(reading.phone))
        return true;
    const QString text = zhuyin::toText(reading.phone);
    return text.size() == 1 && text[0].unicode() == reading.character;
}

} // namespace

ReadingIndex ReadingIndex::build(std::vector<ReadingUsage> readings, const ReadingOrder& order) {
    std::erase_if(readings, [](const ReadingUsage& r) { return !isListable(r); });
    ReadingIndex index;
    index.readings_ = std::move(readings);
    for (std::size_t begin = 0; begin < index.readings_.size();) {
        const std::size_t end = index.groupEnd(begin);
        rankReadings(std::span(index.readings_).subspan(begin, end - begin),
                     order.leadingReadings(index.readings_[begin].character));
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
