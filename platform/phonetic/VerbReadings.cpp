#include "platform/phonetic/VerbReadings.h"

#include "platform/phonetic/DataLines.h"

#include <algorithm>
#include <string_view>

// The bytes of data/verb-readings.txt, generated at build time.
extern const unsigned char qxVerbReadingsData[];
extern const std::size_t qxVerbReadingsSize;

namespace phonetic {
namespace {

std::uint64_t keyOf(char32_t verb, char32_t marker) {
    return std::uint64_t{verb} << 32 | marker;
}

// What a marker may go on with and still be one: 出了、上來、下去.
constexpr std::u32string_view kAfterMarkers = U"了來去";

// A marker stands alone or before one of kAfterMarkers; one that begins a longer word is no
// marker: 數上限、不進行.
bool isMarker(std::span<const char32_t> text, const Word& piece) {
    return piece.length == 1 ||
           (piece.length == 2 && kAfterMarkers.find(text[piece.begin + 1]) != kAfterMarkers.npos);
}

} // namespace

VerbReadings VerbReadings::parse(QByteArrayView utf8) {
    VerbReadings verbs;
    for (const QString& line : recordLines(utf8)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 3)
            continue;
        const std::u32string verb = fields[0].trimmed().toStdU32String();
        const auto phone = zhuyin::fromText(fields[1].trimmed());
        if (verb.size() != 1 || !phone || !zhuyin::isWellFormed(*phone))
            continue;
        for (const char32_t marker : fields[2].trimmed().toStdU32String())
            verbs.readings_.emplace_back(keyOf(verb[0], marker), *phone);
    }
    // A pair named twice keeps its first line.
    std::stable_sort(verbs.readings_.begin(), verbs.readings_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    verbs.readings_.erase(
        std::unique(verbs.readings_.begin(), verbs.readings_.end(),
                    [](const auto& a, const auto& b) { return a.first == b.first; }),
        verbs.readings_.end());
    return verbs;
}

const VerbReadings& VerbReadings::builtIn() {
    static const VerbReadings verbs = parse(builtInBytes(qxVerbReadingsData, qxVerbReadingsSize));
    return verbs;
}

zhuyin::Phone VerbReadings::before(char32_t verb, char32_t marker) const {
    const std::uint64_t key = keyOf(verb, marker);
    const auto it =
        std::lower_bound(readings_.begin(), readings_.end(), key,
                         [](const auto& entry, std::uint64_t k) { return entry.first < k; });
    return it != readings_.end() && it->first == key ? it->second : 0;
}

void applyVerbReadings(std::span<const char32_t> text, std::span<const Word> pieces,
                       std::span<zhuyin::Phone> phones, const VerbReadings& verbs) {
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
        const Word& verb = pieces[k];
        const Word& marker = pieces[k + 1];
        if (verb.length != 1 || !isMarker(text, marker))
            continue;
        if (const zhuyin::Phone phone = verbs.before(text[verb.begin], text[marker.begin]))
            phones[verb.begin] = phone;
    }
}

} // namespace phonetic
