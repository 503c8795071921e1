#include "tools/readings/ContextReadings.h"
#include "tools/readings/ExitStatus.h"
#include "tools/readings/Filter.h"
#include "tools/readings/ReadingsTool.h"

#include "BuildConfig.h"
#include "platform/imm/SystemInputMethodManager.h"
#include "platform/phonetic/PhoneticDictionary.h"
#include "platform/phonetic/PhraseTree.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <unistd.h>
#include <utility>

namespace {

void printError(const QString& message) {
    std::fprintf(stderr, "quilldex2-readings: %s\n", message.toLocal8Bit().constData());
}

std::ptrdiff_t readStandardInput(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

bool writeStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::optional<std::pair<readings::ExitStatus, const char*>>
dictionaryProblem(phonetic::DictionaryStatus status) {
    using phonetic::DictionaryStatus;
    using readings::ExitStatus;
    switch (status) {
    case DictionaryStatus::Usable:
        return std::nullopt;
    case DictionaryStatus::Missing:
        return {{ExitStatus::NoDictionary,
                 "is missing or incomplete (install Debian's libchewing3-data)"}};
    case DictionaryStatus::Unreadable:
        return {{ExitStatus::UnreadableDictionary, "cannot be read"}};
    case DictionaryStatus::Damaged:
        return {{ExitStatus::DamagedDictionary, "is damaged"}};
    }
    return std::nullopt;
}

int run(const QCoreApplication& app) {
    QString error;
    const auto options = readings::parseArguments(app.arguments().mid(1), error);
    if (!options) {
        printError(error);
        std::fputs(readings::usageText().toLocal8Bit().constData(), stderr);
        return readings::code(readings::ExitStatus::BadArguments);
    }
    if (options->help) {
        std::fputs(readings::usageText().toLocal8Bit().constData(), stdout);
        return readings::code(readings::ExitStatus::Listed);
    }
    if (options->version) {
        std::printf("quilldex2-readings %s\n", buildconfig::version);
        return readings::code(readings::ExitStatus::Listed);
    }

    auto imm = imm::makeSystemInputMethodManager();
    // Without the dictionary every reading would be empty: nothing is listed.
    if (const auto problem = dictionaryProblem(imm::dictionaryStatus(*imm))) {
        printError(
            QStringLiteral("the phonetic dictionary in %1 %2")
                .arg(phonetic::systemDictionaryFolders().engine, QLatin1String(problem->second)));
        return readings::code(problem->first);
    }
    readings::ConsolePump pump;
    readings::CharacterReadings characters(*imm, pump, options->all);
    phonetic::PhraseReadings words;
    if (options->context) {
        const phonetic::PhraseTreeFiles files(phonetic::systemDictionaryFolders().usage);
        words = phonetic::PhraseReadings::build(files.tree(), files.text());
        if (words.empty())
            printError(QStringLiteral("no usable phrase list; each character keeps its first "
                                      "reading"));
    }
    readings::ContextReadings inContext(words, *imm, pump);
    readings::ReadingSource& source =
        options->context ? static_cast<readings::ReadingSource&>(inContext) : characters;
    const auto format = readings::makeOutputFormat(options->format);
    readings::LineReader input(readStandardInput, readings::kMaxLineBytes);
    try {
        const auto failure = readings::runFilter(input, source, *format, writeStandardOutput);
        if (!failure)
            return readings::code(readings::ExitStatus::Listed);
        switch (failure->kind) {
        case readings::FilterError::NotUtf8:
            printError(QStringLiteral("the input is not valid UTF-8 (byte %1); the lines before "
                                      "it were listed")
                           .arg(failure->byteOffset));
            break;
        case readings::FilterError::LineTooLong:
            printError(QStringLiteral("out of memory: the line at byte %1 is longer than the %2 "
                                      "bytes a line may take")
                           .arg(failure->byteOffset)
                           .arg(readings::kMaxLineBytes));
            return readings::code(readings::ExitStatus::OutOfMemory);
        case readings::FilterError::ReadFailed:
            printError(QStringLiteral("cannot read standard input"));
            break;
        case readings::FilterError::WriteFailed:
            printError(QStringLiteral("cannot write standard output"));
            break;
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
    }
    return readings::code(readings::ExitStatus::Failed);
}

} // namespace

int main(int argc, char** argv) {
    try {
        QCoreApplication app(argc, argv);
        return run(app);
    } catch (const std::bad_alloc&) {
        // Whatever held the input is freed by now; a literal needs no memory to print.
        std::fputs("quilldex2-readings: out of memory; is a line of the input too long?\n", stderr);
        return readings::code(readings::ExitStatus::OutOfMemory);
    }
}
