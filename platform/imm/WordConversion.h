#pragma once

#include "platform/phonetic/PhraseReadings.h"

#include <QByteArray>

namespace imm {

// The reverse conversion of a word: its readings as the phrase list knows them, most used first,
// each its syllables separated by spaces ("ㄒㄧㄥˊ ㄖㄣˊ"), laid out as a CANDIDATELIST in code
// page 950. `source` is zero-terminated code-page-950 text; empty when it is not a word of two
// characters or more.
QByteArray wordCandidateList(const phonetic::PhraseReadings& words, const char* source);

// Whether zero-terminated code-page-950 text holds two characters or more: only then is it worth
// reading the words.
bool spellsSeveralCharacters(const char* source);

} // namespace imm
