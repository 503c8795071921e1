#include "tools/readings/ReadingSource.h"

#include "lookup/ReadingLookup.h"
#include "platform/codepage/Utf8.h"

namespace readings {
namespace {

// Readings are Zhuyin, which QString::toUtf8 would convert just as well; by hand it needs no
// allocation for each of a million characters.
void appendUtf8(std::string& out, const QString& text) {
    for (const QChar unit : text) {
        const char16_t c = unit.unicode();
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += "\xEF\xBF\xBD"; // no reading holds one; never let half a pair through
        }
    }
}

// Sets `text` to the one character `c`, keeping its buffer.
void setCharacter(QString& text, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        text.resize(2);
        text[0] = QChar(QChar::highSurrogate(c));
        text[1] = QChar(QChar::lowSurrogate(c));
    } else {
        text.resize(1);
        text[0] = QChar(static_cast<char16_t>(c));
    }
}

} // namespace

void CharacterReadings::appendReading(char32_t c, std::string& out) {
    setCharacter(character_, c);
    const imm::HKL layout = lookup::toChinese(imm_, pump_);
    if (!all_) {
        appendUtf8(out, lookup::ImeQueryComp(imm_, layout, character_, 1));
        return;
    }
    for (int nth = 1;; ++nth) {
        const QString reading = lookup::ImeQueryComp(imm_, layout, character_, nth);
        if (reading.isEmpty())
            break;
        if (nth > 1)
            out += ' ';
        appendUtf8(out, reading);
    }
}

void CharacterReadings::annotate(std::string_view line, AnnotatedLine& out) {
    out.reset(line);
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t start = pos;
        const char32_t c = *codepage::nextUtf8(line, pos);
        out.add(start, pos, true, [&](std::string& readings) { appendReading(c, readings); });
    }
}

} // namespace readings
