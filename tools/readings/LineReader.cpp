#include "tools/readings/LineReader.h"

#include <algorithm>
#include <cstring>

namespace readings {
namespace {

constexpr std::size_t kReadBytes = 1 << 16;

std::size_t findBreak(const char* p, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (p[i] == '\n' || p[i] == '\r')
            return i;
    }
    return size;
}

} // namespace

LineReader::LineReader(Source source, std::size_t maxLineBytes)
    : source_(std::move(source))
    , maxLineBytes_(maxLineBytes)
    , buffer_(kReadBytes, '\0') {}

bool LineReader::lineReady() const {
    return findBreak(buffer_.data() + begin_, end_ - begin_) < end_ - begin_ ||
           (atEnd_ && begin_ < end_);
}

bool LineReader::fill() {
    if (atEnd_ || failed_)
        return false;
    if (begin_ > 0) {
        // Keep only the unfinished line, at the front.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < kReadBytes / 2)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + kReadBytes));
    const std::ptrdiff_t n = source_(buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
}

std::optional<LineReader::Line> LineReader::next() {
    for (;;) {
        const std::size_t at =
            scanned_ + findBreak(buffer_.data() + begin_ + scanned_, end_ - begin_ - scanned_);
        if (begin_ + at < end_) {
            const Line line{{buffer_.data() + begin_, at}, consumed_, false};
            begin_ += at + 1;
            consumed_ += at + 1;
            scanned_ = 0;
            return line;
        }
        scanned_ = at;
        if (at > maxLineBytes_)
            return Line{{buffer_.data() + begin_, at}, consumed_, true};
        if (!fill()) {
            if (failed_ || begin_ == end_)
                return std::nullopt;
            const Line line{{buffer_.data() + begin_, end_ - begin_}, consumed_, false};
            consumed_ += end_ - begin_;
            begin_ = end_;
            scanned_ = 0;
            return line;
        }
    }
}

} // namespace readings
