#pragma once

#include "platform/phonetic/PhraseTree.h"

#include <span>

namespace phonetic {

// Orders one character's readings (all of one character) most used first. Equal weights keep the
// order given (the engine's), so without usage figures the engine's order stands. A neutral tone
// yields to a full tone that begins words; a sentence-final particle puts its neutral tone first.
// Last, `leading` (the reviewed reading order) puts those of its readings that the character has
// first, in its order; a reading the character lacks is never added.
void rankReadings(std::span<ReadingUsage> readings, std::span<const zhuyin::Phone> leading = {});

} // namespace phonetic
