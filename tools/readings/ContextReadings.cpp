#include "tools/readings/ContextReadings.h"

#include "platform/codepage/Utf8.h"
#include "platform/phonetic/ContextRules.h"
#include "platform/phonetic/VerbReadings.h"

#include <algorithm>

namespace readings {

void ContextReadings::annotate(std::string_view line, AnnotatedLine& out) {
    out.reset(line);
    text_.clear();
    starts_.clear();
    for (std::size_t pos = 0; pos < line.size();) {
        starts_.push_back(static_cast<std::uint32_t>(pos));
        text_.push_back(*codepage::nextUtf8(line, pos));
    }
    starts_.push_back(static_cast<std::uint32_t>(line.size()));

    segmenter_.split(text_, pieces_);
    phones_.assign(text_.size(), 0);
    for (const phonetic::Word& piece : pieces_) {
        const std::span<const phonetic::Phone> phones = words_.reading(piece.node, 0);
        // A reading that does not fit its word is never used: such a word is read character by
        // character, whatever the list holds.
        if (phones.size() == piece.length)
            std::copy(phones.begin(), phones.end(), phones_.begin() + piece.begin);
    }
    phonetic::applyVerbReadings(text_, pieces_, phones_);
    phonetic::applyContextRules(text_, pieces_, phones_);
    for (const phonetic::Word& piece : pieces_) {
        for (std::size_t k = 0; k < piece.length; ++k) {
            const std::size_t i = piece.begin + k;
            out.add(starts_[i], starts_[i + 1], k == 0, [&](std::string& readings) {
                if (phones_[i] == 0) {
                    characters_.appendReading(text_[i], readings);
                    return;
                }
                std::string& syllable = syllables_[phones_[i]];
                if (syllable.empty())
                    syllable = phonetic::zhuyin::toText(phones_[i]).toStdString();
                readings += syllable;
            });
        }
    }
}

} // namespace readings
