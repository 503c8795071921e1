#include "tools/readings/ReadingsTool.h"

#include "tools/readings/ExitStatus.h"

#include "lookup/ReadingLookup.h"
#include "platform/codepage/Utf8.h"

#include <QCoreApplication>

namespace readings {
namespace {

// Output goes out in pieces of about this size.
constexpr std::size_t kChunkBytes = 1 << 16;

bool isLineBreak(char32_t c) {
    return c == U'\n' || c == U'\r';
}

void appendUtf8(std::string& out, const QString& text) {
    const std::size_t start = out.size();
    out.resize(start + 3 * static_cast<std::size_t>(text.size()));
    char* p = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i; // two units, four bytes: within the three bytes a unit was given
        }
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | c >> 6);
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *p++ = static_cast<char>(0xE0 | c >> 12);
            *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *p++ = static_cast<char>(0xF0 | c >> 18);
            *p++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
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

std::optional<Options> parseArguments(const QStringList& arguments, QString& error) {
    Options options;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--all")) {
            options.all = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else {
            error = QStringLiteral("unknown argument: %1").arg(argument);
            return std::nullopt;
        }
    }
    return options;
}

QString usageText() {
    const QString options = QStringLiteral(
        "Usage: quilldex2-readings [--all] < text\n"
        "\n"
        "Reads UTF-8 text on standard input and prints one line for each of its characters:\n"
        "the character, a space and its Zhuyin reading, as the phonetic input method gives it\n"
        "(the most used reading first). A character without a reading keeps an empty one.\n"
        "Line breaks separate the input's lines and are not listed.\n"
        "\n"
        "  --all    print every reading the input method lists, separated by spaces\n"
        "  --help   print this text\n"
        "\n");
    return options + QLatin1String(kExitStatusHelp);
}

void ConsolePump::processPendingMessages() {
    QCoreApplication::sendPostedEvents();
}

std::optional<ListingError> listReadings(QByteArrayView input, const Options& options,
                                         imm::InputMethodManager& imm, lookup::MessagePump& pump,
                                         const std::function<void(std::string_view)>& write) {
    const std::string_view text(input.data(), static_cast<std::size_t>(input.size()));
    for (std::size_t pos = 0; pos < text.size();) {
        if (!codepage::nextUtf8(text, pos))
            return ListingError{pos};
    }

    std::string out;
    out.reserve(kChunkBytes + 256);
    QString character(2, QChar());
    std::size_t pos = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3; // a byte-order mark says how the text is encoded; it is not part of it
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t c = *codepage::nextUtf8(text, pos);
        if (isLineBreak(c))
            continue;
        setCharacter(character, c);
        out.append(text.substr(start, pos - start));
        out += ' ';
        const imm::HKL layout = lookup::toChinese(imm, pump);
        if (!options.all) {
            appendUtf8(out, lookup::ImeQueryComp(imm, layout, character, 1));
        } else {
            for (int nth = 1;; ++nth) {
                const QString reading = lookup::ImeQueryComp(imm, layout, character, nth);
                if (reading.isEmpty())
                    break;
                if (nth > 1)
                    out += ' ';
                appendUtf8(out, reading);
            }
        }
        out += '\n';
        if (out.size() >= kChunkBytes) {
            write(out);
            out.clear();
        }
    }
    if (!out.empty())
        write(out);
    return std::nullopt;
}

} // namespace readings
