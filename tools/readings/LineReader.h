#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace readings {

// Splits a byte stream into lines as it arrives. LF and CR end a line and belong to none, so a
// CRLF pair ends one line and leaves an empty one. Only the line being handed out is kept: memory
// grows with the longest line, never with the number of lines.
class LineReader {
public:
    // Reads up to `size` bytes into `buffer`: the count, 0 at the end, negative on failure.
    using Source = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

    // Lines longer than `maxLineBytes` are not gathered whole (see Line::tooLong).
    explicit LineReader(Source source, std::size_t maxLineBytes = SIZE_MAX);

    struct Line {
        std::string_view text;
        std::size_t offset; // of its first byte in the whole input
        bool tooLong;       // the line goes on past the limit; text holds its start only
    };

    // The next line (valid until the next call), or nothing at the end of the input or when
    // reading fails.
    std::optional<Line> next();

    // A whole line is already waiting: next() will not have to wait for the source.
    bool lineReady() const;
    bool failed() const { return failed_; }

private:
    bool fill();

    Source source_;
    std::size_t maxLineBytes_;
    std::string buffer_;
    std::size_t begin_ = 0;   // first byte not yet handed out
    std::size_t end_ = 0;     // end of the bytes read
    std::size_t scanned_ = 0; // bytes from begin_ known to hold no line break
    std::size_t consumed_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

} // namespace readings
