#include "tools/readings/ReadingsTool.h"

#include "tools/readings/ExitStatus.h"

#include <QCoreApplication>

namespace readings {

std::optional<Options> parseArguments(const QStringList& arguments, QString& error) {
    Options options;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--all")) {
            options.all = true;
        } else if (argument == QLatin1String("--context")) {
            options.context = true;
        } else if (argument == QLatin1String("--format=lines")) {
            options.format = Format::Lines;
        } else if (argument == QLatin1String("--format=inline")) {
            options.format = Format::Inline;
        } else if (argument == QLatin1String("--format=html")) {
            options.format = Format::Html;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--version")) {
            options.version = true;
        } else {
            error = QStringLiteral("unknown argument: %1").arg(argument);
            return std::nullopt;
        }
    }
    // Every reading of a character is a list, not the reading of a word or a ruby annotation.
    if (options.all && (options.context || options.format != Format::Lines)) {
        error = QStringLiteral("--all goes with neither --context nor --format=inline|html");
        return std::nullopt;
    }
    return options;
}

QString usageText() {
    const QString options = QStringLiteral(
        "Usage: quilldex2-readings [--context] [--format=lines|inline|html] < text\n"
        "       quilldex2-readings --all < text\n"
        "\n"
        "Reads UTF-8 text on standard input and gives the Zhuyin reading of each of its\n"
        "characters, as the phonetic input method gives it (the most used reading first).\n"
        "Each line is answered as soon as it has been read. A character without a reading\n"
        "keeps an empty one. Line breaks separate the input's lines and are not listed.\n"
        "\n"
        "  --context        read each character as the word it stands in (行人 ㄒㄧㄥˊ ㄖㄣˊ,\n"
        "                   行列 ㄏㄤˊ ㄌㄧㄝˋ); a character in no word keeps its first reading\n"
        "  --format=lines   one line for each character: the character, a space, its reading\n"
        "                   (the default)\n"
        "  --format=inline  the text as it is, each word followed by its reading in\n"
        "                   full-width parentheses: 行人（ㄒㄧㄥˊ ㄖㄣˊ）\n"
        "  --format=html    a UTF-8 web page with each Han character's reading set as ruby\n"
        "  --all            every reading the input method lists, separated by spaces\n"
        "                   (one line for each character)\n"
        "  --version        print the version\n"
        "  --help           print this text\n"
        "\n");
    return options + QLatin1String(kExitStatusHelp);
}

void ConsolePump::processPendingMessages() {
    QCoreApplication::sendPostedEvents();
}

} // namespace readings
