#include "platform/phonetic/ReviewedWordReadings.h"

#include "platform/phonetic/DataLines.h"

// The bytes of data/word-readings.txt, generated at build time.
extern const unsigned char qxWordReadingsData[];
extern const std::size_t qxWordReadingsSize;

namespace phonetic {

ReviewedWordReadings ReviewedWordReadings::parse(QByteArrayView utf8) {
    ReviewedWordReadings reviewed;
    for (const QString& line : recordLines(utf8)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 2)
            continue;
        Entry entry{fields[0].trimmed().toStdU32String(), {}};
        for (const QString& syllable : fields[1].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const auto phone = zhuyin::fromText(syllable);
            if (!phone || !zhuyin::isWellFormed(*phone)) {
                entry.phones.clear();
                break;
            }
            entry.phones.push_back(*phone);
        }
        if (entry.word.size() >= 2 && entry.phones.size() == entry.word.size())
            reviewed.entries_.push_back(std::move(entry));
    }
    return reviewed;
}

const ReviewedWordReadings& ReviewedWordReadings::builtIn() {
    static const ReviewedWordReadings reviewed =
        parse(builtInBytes(qxWordReadingsData, qxWordReadingsSize));
    return reviewed;
}

} // namespace phonetic
