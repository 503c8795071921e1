#include "tools/readings/ExitStatus.h"
#include "tools/readings/ReadingsTool.h"

#include "lookup/ReadingLookup.h"
#include "platform/imm/SystemInputMethodManager.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <new>

namespace {

void printError(const QString& message) {
    std::fprintf(stderr, "quilldex2-readings: %s\n", message.toLocal8Bit().constData());
}

QByteArray readAll(std::FILE* in) {
    QByteArray data;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        data.append(chunk, static_cast<qsizetype>(n));
    return data;
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

    const QByteArray input = readAll(stdin);
    if (std::ferror(stdin)) {
        printError(QStringLiteral("cannot read standard input"));
        return readings::code(readings::ExitStatus::Failed);
    }

    auto imm = imm::makeSystemInputMethodManager();
    readings::ConsolePump pump;
    if (!input.isEmpty()) {
        // Scripts would otherwise take empty readings for characters without one.
        char noData[] = "";
        const imm::HKL layout = lookup::toChinese(*imm, pump);
        if (imm->ImmEscapeA(layout, 0, imm::IME_ESC_MAX_KEY, noData) <= 0)
            printError(
                QStringLiteral("no phonetic dictionary is installed; every reading is empty"));
    }
    bool writeFailed = false;
    const auto write = [&](std::string_view piece) {
        if (!writeFailed && std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            writeFailed = true;
    };
    try {
        if (const auto bad = readings::listReadings(input, *options, *imm, pump, write)) {
            printError(QStringLiteral("the input is not valid UTF-8 (byte %1); nothing was listed")
                           .arg(bad->byteOffset));
            return readings::code(readings::ExitStatus::Failed);
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        return readings::code(readings::ExitStatus::Failed);
    }
    if (writeFailed || std::fflush(stdout) != 0) {
        printError(QStringLiteral("cannot write standard output"));
        return readings::code(readings::ExitStatus::Failed);
    }
    return readings::code(readings::ExitStatus::Listed);
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
