#include "tools/readings/OutputFormat.h"

#include "platform/codepage/Utf8.h"

#include <QChar>

namespace readings {
namespace {

using Character = AnnotatedLine::Character;

// Calls `word(first, last)` for each word of the line, [first, last) in its characters.
template <typename Word> void forEachWord(const AnnotatedLine& line, Word&& word) {
    const auto& characters = line.characters();
    for (std::size_t first = 0; first < characters.size();) {
        std::size_t last = first + 1;
        while (last < characters.size() && !characters[last].startsWord)
            ++last;
        word(first, last);
        first = last;
    }
}

class LinesFormat final : public OutputFormat {
public:
    void line(const AnnotatedLine& line, std::string& out) override {
        for (const Character& c : line.characters()) {
            out += line.textOf(c);
            out += ' ';
            out += line.readingOf(c);
            out += '\n';
        }
    }
};

class InlineFormat final : public OutputFormat {
public:
    void line(const AnnotatedLine& line, std::string& out) override {
        if (line.characters().empty())
            return;
        const auto& characters = line.characters();
        forEachWord(line, [&](std::size_t first, std::size_t last) {
            bool annotated = false;
            for (std::size_t k = first; k < last; ++k) {
                out += line.textOf(characters[k]);
                annotated = annotated || characters[k].readingEnd > characters[k].readingBegin;
            }
            if (!annotated)
                return;
            out += "（";
            bool firstReading = true;
            for (std::size_t k = first; k < last; ++k) {
                const std::string_view reading = line.readingOf(characters[k]);
                if (reading.empty())
                    continue;
                if (!firstReading)
                    out += ' ';
                out += reading;
                firstReading = false;
            }
            out += "）";
        });
        out += '\n';
    }
};

// Text as HTML text content. NUL is no character of a page; it becomes U+FFFD.
void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\0':
            out += "\xEF\xBF\xBD";
            break;
        default:
            out += c;
        }
    }
}

bool isHan(std::string_view character) {
    std::size_t pos = 0;
    const auto c = codepage::nextUtf8(character, pos);
    return c && QChar::script(*c) == QChar::Script_Han;
}

// Zhuyin goes to the right of each character where the browser can set it there, as Taiwanese
// books do; above it elsewhere.
constexpr const char* kPageStart =
    "<!DOCTYPE html>\n"
    "<html lang=\"zh-Hant-TW\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title>注音</title>\n"
    "<style>\n"
    "body { font-size: 32px; line-height: 2.4; margin: 0.5em 1em; }\n"
    "ruby { ruby-position: over; margin: 0 0.08em; }\n"
    "rt { font-size: 0.5em; line-height: 1.2; }\n"
    "@supports (ruby-position: inter-character) {\n"
    "  ruby { ruby-position: inter-character; }\n"
    "}\n"
    "</style>\n"
    "</head>\n"
    "<body>\n";
constexpr const char* kPageEnd = "</body>\n</html>\n";

class HtmlFormat final : public OutputFormat {
public:
    void begin(std::string& out) override { out += kPageStart; }
    void end(std::string& out) override { out += kPageEnd; }

    void line(const AnnotatedLine& line, std::string& out) override {
        if (line.characters().empty())
            return;
        const auto& characters = line.characters();
        out += "<p>";
        forEachWord(line, [&](std::size_t first, std::size_t last) {
            bool ruby = false;
            for (std::size_t k = first; k < last && !ruby; ++k) {
                ruby = characters[k].readingEnd > characters[k].readingBegin ||
                       isHan(line.textOf(characters[k]));
            }
            if (!ruby) {
                for (std::size_t k = first; k < last; ++k)
                    appendEscaped(out, line.textOf(characters[k]));
                return;
            }
            out += "<ruby>";
            for (std::size_t k = first; k < last; ++k) {
                appendEscaped(out, line.textOf(characters[k]));
                out += "<rt>";
                appendEscaped(out, line.readingOf(characters[k]));
                out += "</rt>";
            }
            out += "</ruby>";
        });
        out += "</p>\n";
    }
};

} // namespace

std::unique_ptr<OutputFormat> makeOutputFormat(Format format) {
    switch (format) {
    case Format::Inline:
        return std::make_unique<InlineFormat>();
    case Format::Html:
        return std::make_unique<HtmlFormat>();
    case Format::Lines:
        break;
    }
    return std::make_unique<LinesFormat>();
}

} // namespace readings
