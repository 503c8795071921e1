#include "platform/imm/WordConversion.h"

#include "platform/codepage/Cp950.h"
#include "platform/phonetic/ReadingIndex.h"

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
    QByteArray list(phonetic::kCandidateListHeaderBytes + 4 * count, '\0');
    for (std::uint32_t k = 0; k < count; ++k) {
        qToLittleEndian(static_cast<std::uint32_t>(list.size()),
                        list.data() + phonetic::kCandidateListHeaderBytes + 4 * k);
        list.append(readings[k]).append('\0');
    }
    const std::uint32_t header[] = {static_cast<std::uint32_t>(list.size()),
                                    phonetic::kCandidateStyleReading,
                                    count,
                                    0,
                                    0,
                                    count};
    for (std::size_t i = 0; i < std::size(header); ++i)
        qToLittleEndian(header[i], list.data() + 4 * i);
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
