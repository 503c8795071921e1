#include "platform/phonetic/ReadingOrder.h"

#include "platform/phonetic/DataLines.h"

#include <algorithm>

// The bytes of data/reading-order.txt, generated at build time.
extern const unsigned char qxReadingOrderData[];
extern const std::size_t qxReadingOrderSize;

namespace phonetic {

ReadingOrder ReadingOrder::parse(QByteArrayView utf8) {
    ReadingOrder order;
    for (const QString& text : recordLines(utf8)) {
        const QStringList fields = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QList<uint> character = fields.first().toUcs4();
        if (character.size() != 1)
            continue;
        const auto begin = static_cast<std::uint32_t>(order.phones_.size());
        for (qsizetype i = 1; i < fields.size(); ++i) {
            if (const auto phone = zhuyin::fromText(fields[i]);
                phone && zhuyin::isWellFormed(*phone))
                order.phones_.push_back(*phone);
        }
        const auto end = static_cast<std::uint32_t>(order.phones_.size());
        if (end > begin)
            order.entries_.push_back({static_cast<char32_t>(character.first()), begin, end});
    }
    // A character named twice keeps its first line.
    std::stable_sort(order.entries_.begin(), order.entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.character < b.character; });
    order.entries_.erase(
        std::unique(order.entries_.begin(), order.entries_.end(),
                    [](const Entry& a, const Entry& b) { return a.character == b.character; }),
        order.entries_.end());
    return order;
}

const ReadingOrder& ReadingOrder::builtIn() {
    static const ReadingOrder order = parse(builtInBytes(qxReadingOrderData, qxReadingOrderSize));
    return order;
}

std::span<const zhuyin::Phone> ReadingOrder::leadingReadings(char32_t character) const {
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), character,
                         [](const Entry& entry, char32_t c) { return entry.character < c; });
    if (it == entries_.end() || it->character != character)
        return {};
    return {phones_.data() + it->begin, phones_.data() + it->end};
}

} // namespace phonetic
