#include "platform/imm/WordConversion.h"

#include "platform/codepage/Cp950.h"
#include "platform/imm/InputMethodManager.h"
#include "platform/phonetic/PhraseReadings.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace imm {

QByteArray wordCandidateList(const phonetic::PhraseReadings& words, const char* source) {
    if (!source || words.empty())
        return {};
    const std::u32string text = codepage::fromAnsi(QByteArrayView(source)).toStdU32String();
    const auto node = words.find(text);
    if (node == phonetic::PhraseReadings::kNone)
        return {};

    std::vector<QByteArray> readings;
    for (std::size_t nth = 0; nth < words.readingCount(node); ++nth) {
        QString reading;
        for (const phonetic::zhuyin::Phone phone : words.reading(node, nth)) {
            if (!reading.isEmpty())
                reading += u' ';
            reading += phonetic::zhuyin::toText(phone);
        }
        readings.push_back(codepage::toAnsi(reading));
    }
    const auto count = static_cast<std::uint32_t>(readings.size());
    namespace cl = candidatelist;
    QByteArray list(cl::kOffsets + 4 * count, '\0');
    for (std::uint32_t k = 0; k < count; ++k) {
        qToLittleEndian(static_cast<std::uint32_t>(list.size()),
                        list.data() + cl::kOffsets + 4 * k);
        list.append(readings[k]).append('\0');
    }
    const auto put = [&](std::uint32_t at, std::uint32_t value) {
        qToLittleEndian(value, list.data() + at);
    };
    put(cl::kSize, static_cast<std::uint32_t>(list.size()));
    put(cl::kStyle, IME_CAND_READ);
    put(cl::kCount, count);
    put(cl::kPageSize, count); // dwSelection and dwPageStart stay 0
    return list;
}

bool spellsSeveralCharacters(const char* source) {
    if (!source || source[0] == '\0' || source[1] == '\0')
        return false;
    // A lead byte takes the byte after it; code page 950 holds no character in more than two.
    const bool leadByte = static_cast<unsigned char>(source[0]) >= 0x81;
    return !leadByte || source[2] != '\0';
}

} // namespace imm
