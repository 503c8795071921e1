#include "platform/imm/CandidateLists.h"

#include "platform/codepage/Cp950.h"
#include "platform/imm/InputMethodManager.h"

#include <QtEndian>

namespace imm {
namespace {

namespace cl = candidatelist;

void putDword(std::vector<char>& out, std::size_t at, std::uint32_t value) {
    qToLittleEndian(value, out.data() + at);
}

// Each phone's reading in code page 950, converted once.
class ReadingTexts {
public:
    const QByteArray& of(phonetic::zhuyin::Phone phone) {
        QByteArray& text = texts_[phone];
        if (text.isNull())
            text = codepage::toAnsi(phonetic::zhuyin::toText(phone));
        return text;
    }

private:
    std::vector<QByteArray> texts_ =
        std::vector<QByteArray>((phonetic::zhuyin::kInitials + 1) << 9);
};

} // namespace

CandidateLists CandidateLists::build(const phonetic::ReadingIndex& readings) {
    CandidateLists index;
    index.listByCode_.assign(1 << 16, 0);
    index.lists_.reserve(readings.readingCount() * 14);
    ReadingTexts texts;
    readings.forEachCharacter(
        [&](char32_t character, std::span<const phonetic::ReadingUsage> group) {
            // Only a code that decodes back to this character can ever ask for it.
            const auto code = codepage::ansiCode(character);
            if (!code || *code < 0x80 || codepage::characterOf(*code) != character ||
                index.listByCode_[*code] != 0)
                return;

            const auto count = static_cast<std::uint32_t>(group.size());
            const std::size_t start = index.lists_.size();
            std::size_t at = start + cl::kOffsets + 4 * std::size_t{count};
            index.lists_.resize(at);
            for (std::uint32_t k = 0; k < count; ++k) {
                const QByteArray& text = texts.of(group[k].phone);
                putDword(index.lists_, start + cl::kOffsets + 4 * k,
                         static_cast<std::uint32_t>(at - start));
                index.lists_.insert(index.lists_.end(), text.begin(), text.end());
                index.lists_.push_back('\0');
                at = index.lists_.size();
            }
            putDword(index.lists_, start + cl::kSize, static_cast<std::uint32_t>(at - start));
            putDword(index.lists_, start + cl::kStyle, IME_CAND_READ);
            putDword(index.lists_, start + cl::kCount, count);
            putDword(index.lists_, start + cl::kSelection, 0);
            putDword(index.lists_, start + cl::kPageStart, 0);
            putDword(index.lists_, start + cl::kPageSize, count);
            index.listByCode_[*code] = static_cast<std::uint32_t>(start + 1);
            ++index.characters_;
        });
    index.lists_.shrink_to_fit();
    if (index.characters_ == 0)
        index.listByCode_ = {};
    return index;
}

QByteArrayView CandidateLists::of(const char* source) const {
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
    return {list, static_cast<qsizetype>(qFromLittleEndian<std::uint32_t>(list + cl::kSize))};
}

std::size_t CandidateLists::memoryBytes() const {
    return listByCode_.capacity() * sizeof(std::uint32_t) + lists_.capacity();
}

} // namespace imm
