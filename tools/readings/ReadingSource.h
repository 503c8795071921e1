#pragma once

#include "lookup/MessagePump.h"
#include "platform/imm/InputMethodManager.h"
#include "tools/readings/AnnotatedLine.h"

#include <QString>

#include <string_view>

namespace readings {

// Where a line's readings come from.
class ReadingSource {
public:
    virtual ~ReadingSource() = default;
    // Fills `out` with the characters of `line` (valid UTF-8, no line break) and their readings.
    virtual void annotate(std::string_view line, AnnotatedLine& out) = 0;
};

// Each character on its own, asked of the input method the way the window asks it (toChinese,
// then ImeQueryComp): its first reading, or with `all` every reading, separated by spaces.
class CharacterReadings final : public ReadingSource {
public:
    CharacterReadings(imm::InputMethodManager& imm, lookup::MessagePump& pump, bool all)
        : imm_(imm)
        , pump_(pump)
        , all_(all) {}

    void annotate(std::string_view line, AnnotatedLine& out) override;
    // Appends the reading (or readings) of one character.
    void appendReading(char32_t c, std::string& out);

private:
    imm::InputMethodManager& imm_;
    lookup::MessagePump& pump_;
    bool all_;
    QString character_ = QString(2, QChar());
};

} // namespace readings
