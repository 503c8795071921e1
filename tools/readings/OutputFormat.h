#pragma once

#include "tools/readings/AnnotatedLine.h"

#include <memory>
#include <string>

namespace readings {

enum class Format {
    Lines,  // a line for each character: the character, a space, its reading
    Inline, // the text as it is, each word followed by its reading in full-width parentheses
    Html,   // a page with each Han character set as ruby
};

// Writes annotated lines in one format, appending to the output it is given. A line without
// characters writes nothing.
class OutputFormat {
public:
    virtual ~OutputFormat() = default;
    virtual void begin(std::string&) {}
    virtual void line(const AnnotatedLine& line, std::string& out) = 0;
    virtual void end(std::string&) {}
};

std::unique_ptr<OutputFormat> makeOutputFormat(Format format);

} // namespace readings
