#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

// Conversion between the program's Unicode text and code page 950, the ANSI code page that the
// input method speaks. glibc's iconv "CP950" decides every mapping; results are cached per code,
// so a conversion after the first use of a character costs a table read.
namespace codepage {

// Unicode to code page 950. A character that the code page cannot hold becomes one "?", and so
// does an unpaired surrogate.
QByteArray toAnsi(QStringView text);

// The same, appended to `out`: no allocation for short text, for the lookup's hot path.
void appendAnsi(QStringView text, std::string& out);

// Code page 950 to Unicode. A byte sequence that names no character becomes one "?": a lead byte
// with a valid trail byte takes both bytes with it, any other stray byte only itself.
QString fromAnsi(QByteArrayView bytes);

// One character's code: a byte below 0x100, or lead byte << 8 | trail byte. Nothing when the code
// page cannot hold the character.
std::optional<std::uint16_t> ansiCode(char32_t character);

// The character that a code names, or nothing.
std::optional<char32_t> characterOf(std::uint16_t code);

} // namespace codepage
