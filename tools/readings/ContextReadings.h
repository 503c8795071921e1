#pragma once

#include "platform/phonetic/PhraseReadings.h"
#include "platform/phonetic/Segmenter.h"
#include "tools/readings/ReadingSource.h"

namespace readings {

// Each character read as the word it stands in: the line is split into the phrase list's words,
// each word takes its most used reading, a few rules of grammar settle particles and verbs the
// words cannot (ContextRules.h), and any other character in no word takes its first reading from
// the input method, as in the window.
class ContextReadings final : public ReadingSource {
public:
    ContextReadings(const phonetic::PhraseReadings& words, imm::InputMethodManager& imm,
                    lookup::MessagePump& pump)
        : words_(words)
        , segmenter_(words, phonetic::StandingAlone::builtIn())
        , characters_(imm, pump, false) {}

    void annotate(std::string_view line, AnnotatedLine& out) override;

private:
    const phonetic::PhraseReadings& words_;
    phonetic::Segmenter segmenter_;
    CharacterReadings characters_;
    std::vector<char32_t> text_;
    std::vector<std::uint32_t> starts_; // byte offset of each character, and the line's end
    std::vector<phonetic::Word> pieces_;
    std::vector<phonetic::Phone> phones_; // each character's, 0 for its first reading
    std::vector<std::string> syllables_ = std::vector<std::string>(1 << 16);
};

} // namespace readings
