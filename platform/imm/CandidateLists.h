#pragma once

#include "platform/phonetic/ReadingIndex.h"

#include <QByteArrayView>

#include <cstdint>
#include <vector>

namespace imm {

// The phonetic input method's answers to reverse conversion, made ready: each character's ranked
// readings as a CANDIDATELIST in code page 950, keyed by the character's code-page-950 code.
class CandidateLists {
public:
    CandidateLists() = default;

    // Characters that code page 950 cannot hold are left out, since no query can name them.
    static CandidateLists build(const phonetic::ReadingIndex& readings);

    // The candidate list for `source`, zero-terminated code-page-950 text of one character;
    // empty when there is none.
    QByteArrayView of(const char* source) const;

    bool empty() const { return lists_.empty(); }
    std::size_t characterCount() const { return characters_; }
    std::size_t memoryBytes() const;

private:
    std::vector<std::uint32_t> listByCode_; // code -> offset in lists_ + 1; 0 for none
    std::vector<char> lists_;
    std::size_t characters_ = 0;
};

} // namespace imm
