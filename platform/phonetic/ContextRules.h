#pragma once

#include "platform/phonetic/Segmenter.h"
#include "platform/phonetic/Zhuyin.h"

#include <span>

namespace phonetic {

// Readings that the words of a line cannot settle and its grammar can. Each rule is stated where
// it is made (ContextRules.cpp); together they change a few particles and verbs only.
//
// `text` is the line, `pieces` its split, `phones` one a character: the reading its word gives it,
// or 0 for a character read on its own (its first reading). Rewrites the phones a rule decides.
void applyContextRules(std::span<const char32_t> text, std::span<const Word> pieces,
                       std::span<zhuyin::Phone> phones);

} // namespace phonetic
