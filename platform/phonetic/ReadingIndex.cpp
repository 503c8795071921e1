#include "platform/phonetic/ReadingIndex.h"

#include "platform/codepage/Cp950.h"
#include "platform/phonetic/Ranking.h"

#include <algorithm>

namespace phonetic {
namespace {

void putDword(std::vector<char>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Each phone's reading in code page 950, converted once.
class ReadingTexts {
public:
    const QByteArray& of(zhuyin::Phone phone) {
        QByteArray& text = texts_[phone];
        if (text.isNull())
            text = codepage::toAnsi(zhuyin::toText(phone));
        return text;
    }

private:
    std::vector<QByteArray> texts_ = std::vector<QByteArray>((zhuyin::kInitials + 1) << 9);
};

// A well-formed syllable, or a Zhuyin symbol's own name (ㄅ reads ㄅ).
bool isListable(const ReadingUsage& reading) {
    if (zhuyin::isWellFormed(reading.phone))
        return true;
    const QString text = zhuyin::toText(reading.phone);
    return text.size() == 1 && text[0].unicode() == reading.character;
}

} // namespace

ReadingIndex ReadingIndex::build(std::span<const ReadingUsage> readings,
                                 const ReadingOrder& order) {
    ReadingIndex index;
    index.listByCode_.assign(1 << 16, 0);
    index.lists_.reserve(readings.size() * 14);
    ReadingTexts texts;
    std::vector<ReadingUsage> group;
    for (std::size_t begin = 0; begin < readings.size();) {
        const char32_t character = readings[begin].character;
        std::size_t end = begin + 1;
        while (end < readings.size() && readings[end].character == character)
            ++end;
        group.assign(readings.begin() + static_cast<std::ptrdiff_t>(begin),
                     readings.begin() + static_cast<std::ptrdiff_t>(end));
        begin = end;

        // Only a code that decodes back to this character can ever ask for it.
        const auto code = codepage::ansiCode(character);
        if (!code || *code < 0x80 || codepage::characterOf(*code) != character ||
            index.listByCode_[*code] != 0)
            continue;
        std::erase_if(group, [](const ReadingUsage& r) { return !isListable(r); });
        if (group.empty())
            continue;
        rankReadings(group, order.leadingReadings(character));

        const auto count = static_cast<std::uint32_t>(group.size());
        const std::size_t start = index.lists_.size();
        std::size_t at = start + kCandidateListHeaderBytes + 4 * std::size_t{count};
        index.lists_.resize(at);
        for (std::uint32_t k = 0; k < count; ++k) {
            const QByteArray& text = texts.of(group[k].phone);
            putDword(index.lists_, start + kCandidateListHeaderBytes + 4 * k,
                     static_cast<std::uint32_t>(at - start));
            index.lists_.insert(index.lists_.end(), text.begin(), text.end());
            index.lists_.push_back('\0');
            at = index.lists_.size();
        }
        putDword(index.lists_, start, static_cast<std::uint32_t>(at - start)); // dwSize
        putDword(index.lists_, start + 4, kCandidateStyleReading);             // dwStyle
        putDword(index.lists_, start + 8, count);                              // dwCount
        putDword(index.lists_, start + 12, 0);                                 // dwSelection
        putDword(index.lists_, start + 16, 0);                                 // dwPageStart
        putDword(index.lists_, start + 20, count);                             // dwPageSize
        index.listByCode_[*code] = static_cast<std::uint32_t>(start + 1);
        ++index.characters_;
    }
    index.lists_.shrink_to_fit();
    if (index.characters_ == 0)
        index.listByCode_ = {};
    return index;
}

QByteArrayView ReadingIndex::candidateList(const char* source) const {
    if (listByCode_.empty() || !source || source[0] == '\0')
        return {};
    std::uint16_t code = static_cast<std::uint8_t>(source[0]);
    if (source[1] != '\0') {
        if (source[2] != '\0')
            return {};
        code = static_cast<std::uint16_t>(code << 8 | static_cast<std::uint8_t>(source[1]));
    }
    const std::uint32_t entry = listByCode_[code];
    if (entry == 0)
        return {};
    const char* list = lists_.data() + (entry - 1);
    const auto size = static_cast<std::uint8_t>(list[0]) | static_cast<std::uint8_t>(list[1]) << 8 |
                      static_cast<std::uint8_t>(list[2]) << 16 |
                      static_cast<std::uint32_t>(static_cast<std::uint8_t>(list[3])) << 24;
    return {list, static_cast<qsizetype>(size)};
}

std::size_t ReadingIndex::memoryBytes() const {
    return listByCode_.capacity() * sizeof(std::uint32_t) + lists_.capacity();
}

} // namespace phonetic
