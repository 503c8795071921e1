#pragma once

#include "platform/phonetic/PhraseTree.h"

#include <span>

namespace phonetic {

// Orders one character's readings most used first. Equal weights keep the order given (the
// engine's), so without usage figures the engine's order stands.
void rankReadings(std::span<ReadingUsage> readings);

} // namespace phonetic
