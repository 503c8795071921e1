#pragma once

#include "tools/readings/LineReader.h"
#include "tools/readings/OutputFormat.h"
#include "tools/readings/ReadingSource.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace readings {

struct FilterError {
    enum Kind {
        NotUtf8,     // at byteOffset
        LineTooLong, // the line starting at byteOffset
        ReadFailed,
        WriteFailed,
    } kind;
    std::size_t byteOffset = 0;
};

// The longest line taken, in bytes: its characters and readings must stay addressable.
inline constexpr std::size_t kMaxLineBytes = std::size_t{256} << 20;

// Answers each line of the input as soon as it has been read: output is handed to `write` before
// the reader has to wait for more input, and otherwise in pieces of about 64 KiB. `write` answers
// false when the output cannot be written. A line that is not UTF-8 stops the filter; the lines
// before it have been written, and so has the format's ending.
std::optional<FilterError> runFilter(LineReader& input, ReadingSource& source, OutputFormat& format,
                                     const std::function<bool(std::string_view)>& write);

} // namespace readings
