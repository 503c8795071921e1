#include "tools/readings/Filter.h"

#include "platform/codepage/Utf8.h"

namespace readings {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// The offset of the first byte that is not UTF-8, if any.
std::optional<std::size_t> firstBadByte(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos;
        else if (!codepage::nextUtf8(text, pos))
            return pos;
    }
    return std::nullopt;
}

} // namespace

std::optional<FilterError> runFilter(LineReader& input, ReadingSource& source, OutputFormat& format,
                                     const std::function<bool(std::string_view)>& write) {
    std::string out;
    out.reserve(kChunkBytes * 2);
    bool writeFailed = false;
    const auto flush = [&] {
        if (!out.empty() && !writeFailed)
            writeFailed = !write(out);
        out.clear();
    };
    const auto finish = [&](std::optional<FilterError> error) -> std::optional<FilterError> {
        format.end(out);
        flush();
        if (writeFailed && !error)
            return FilterError{FilterError::WriteFailed};
        return error;
    };

    AnnotatedLine annotated;
    format.begin(out);
    bool first = true;
    for (;;) {
        if (!input.lineReady())
            flush(); // the caller may be waiting for these answers before it sends more
        if (writeFailed)
            return FilterError{FilterError::WriteFailed};
        const auto line = input.next();
        if (!line)
            break;
        std::string_view text = line->text;
        std::size_t offset = line->offset;
        if (first && text.starts_with("\xEF\xBB\xBF")) {
            // A byte-order mark says how the text is encoded; it is not part of it.
            text.remove_prefix(3);
            offset += 3;
        }
        first = false;
        if (line->tooLong)
            return finish(FilterError{FilterError::LineTooLong, line->offset});
        if (const auto bad = firstBadByte(text))
            return finish(FilterError{FilterError::NotUtf8, offset + *bad});
        source.annotate(text, annotated);
        format.line(annotated, out);
        if (out.size() >= kChunkBytes)
            flush();
    }
    if (input.failed())
        return finish(FilterError{FilterError::ReadFailed});
    return finish(std::nullopt);
}

} // namespace readings
