#pragma once

#include "platform/phonetic/PhraseTree.h"
#include "platform/phonetic/ReadingOrder.h"

#include <QByteArrayView>

#include <cstdint>
#include <span>
#include <vector>

namespace phonetic {

// Every character's readings, ranked, each kept as the ready-made reverse-conversion answer: a
// CANDIDATELIST laid out as Windows lays it out, keyed by the character's code-page-950 code.
class ReadingIndex {
public:
    ReadingIndex() = default;

    // `readings`: each character's readings together, in the engine's order, with their usage
    // figures (zero where there are none), ranked and then put in `order`. Characters that code
    // page 950 cannot hold are left out, since no query can name them, and so are readings that
    // are not well-formed syllables (but for a Zhuyin symbol, which reads as itself).
    static ReadingIndex build(std::span<const ReadingUsage> readings,
                              const ReadingOrder& order = {});

    // The candidate list for `source`, zero-terminated code-page-950 text of one character;
    // empty when there is none.
    QByteArrayView candidateList(const char* source) const;

    bool empty() const { return lists_.empty(); }
    std::size_t characterCount() const { return characters_; }
    std::size_t memoryBytes() const;

private:
    std::vector<std::uint32_t> listByCode_; // code -> offset in lists_ + 1; 0 for none
    std::vector<char> lists_;
    std::size_t characters_ = 0;
};

// The fixed part of a CANDIDATELIST: dwSize, dwStyle, dwCount, dwSelection, dwPageStart,
// dwPageSize, then dwOffset[dwCount].
inline constexpr std::uint32_t kCandidateListHeaderBytes = 24;
inline constexpr std::uint32_t kCandidateStyleReading = 1; // IME_CAND_READ

} // namespace phonetic
