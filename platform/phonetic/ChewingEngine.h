#pragma once

#include "platform/phonetic/Zhuyin.h"

#include <QString>

#include <memory>
#include <optional>
#include <span>
#include <vector>

struct ChewingContext;

namespace phonetic {

// One reading that the engine lists: typing `phone` offers `character` as a candidate.
struct ListedReading {
    char32_t character;
    zhuyin::Phone phone;
};

// The phonetic engine (libchewing) on one dictionary folder, used only to list what each
// syllable types. User phrases live in memory, so nothing is ever written to disk; the engine's
// log goes to the "quilldex.imm.chewing" logging category, silent unless enabled.
class ChewingEngine {
public:
    // Nothing when the engine cannot load a dictionary from the folder.
    static std::optional<ChewingEngine> open(const QString& folder);

    // The single-character candidates of each syllable, syllable by syllable in the order given,
    // each syllable's candidates in the engine's order. A syllable that the engine does not take
    // (it types into another phone, or offers nothing) adds nothing.
    std::vector<ListedReading> listReadings(std::span<const zhuyin::Phone> syllables);

    // The single-character candidates of one syllable, in the engine's order.
    std::vector<char32_t> candidatesOf(zhuyin::Phone phone);

    // Every combination of initial, medial, final and tone, for when the dictionary's own list of
    // syllables cannot be read.
    static std::vector<zhuyin::Phone> allSyllables();

private:
    struct Deleter {
        void operator()(ChewingContext* context) const;
    };
    explicit ChewingEngine(ChewingContext* context)
        : context_(context) {}

    void appendCandidates(zhuyin::Phone phone, std::vector<ListedReading>& out);

    std::unique_ptr<ChewingContext, Deleter> context_;
};

} // namespace phonetic
