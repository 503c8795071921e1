#pragma once

#include "platform/phonetic/Segmenter.h"
#include "platform/phonetic/Zhuyin.h"

#include <QByteArrayView>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace phonetic {

// The reading a character takes as a verb before an aspect marker, a direction or a result
// (長出 ㄓㄤˇ, 撒下 ㄙㄚˇ): the file data/verb-readings.txt (made by
// tools/wordreadings/verb_readings.py from the phrase list's words of the two), built into the
// program.
class VerbReadings {
public:
    VerbReadings() = default;

    // Lines of "character<TAB>reading<TAB>markers[<TAB>words]"; blank lines and lines that begin
    // with '#' say nothing, and so does a line whose reading is not one well-formed syllable.
    static VerbReadings parse(QByteArrayView utf8);

    // The file built into the program, parsed once.
    static const VerbReadings& builtIn();

    // The reading of `verb` before `marker`; 0 when the file names none.
    zhuyin::Phone before(char32_t verb, char32_t marker) const;

private:
    std::vector<std::pair<std::uint64_t, zhuyin::Phone>> readings_; // by verb << 32 | marker
};

// A character standing alone before a marker standing alone, or before a marker and 了 來 去
// (長出了、 撒上來), takes its verb reading. `pieces` and `phones` as for applyContextRules, which
// comes after and overrules this where its rules fire.
void applyVerbReadings(std::span<const char32_t> text, std::span<const Word> pieces,
                       std::span<zhuyin::Phone> phones,
                       const VerbReadings& verbs = VerbReadings::builtIn());

} // namespace phonetic
