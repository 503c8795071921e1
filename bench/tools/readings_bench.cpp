// quilldex2-readings as a whole process, start to exit, listing a million characters in lines of
// 300, with first readings and with readings in context.
#include "bench/lookup/CommonText.h"

#include <QProcess>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kCharacters = 1'000'000;

constexpr int kLineCharacters = 300;

void BM_ReadingsMillionCharacters(benchmark::State& state) {
    const QString sample = qxbench::commonText();
    QString characters;
    characters.reserve(kCharacters);
    while (characters.size() < kCharacters)
        characters += sample;
    characters.truncate(kCharacters);
    QString text;
    for (int i = 0; i < kCharacters; i += kLineCharacters)
        text += characters.mid(i, kLineCharacters) + u'\n';
    const QStringList arguments =
        state.range(0) ? QStringList{QStringLiteral("--context")} : QStringList{};
    QTemporaryFile input;
    if (!input.open() || input.write(text.toUtf8()) < 0) {
        state.SkipWithError("cannot write the input");
        return;
    }
    input.close();

    for (auto _ : state) {
        QProcess process;
        process.setStandardInputFile(input.fileName());
        process.setStandardOutputFile(QProcess::nullDevice());
        const auto start = std::chrono::steady_clock::now();
        process.start(QStringLiteral(QX_READINGS_PROGRAM), arguments);
        const bool finished = process.waitForFinished(60000);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!finished || process.exitCode() != 0) {
            state.SkipWithError("quilldex2-readings failed");
            return;
        }
        state.SetIterationTime(took.count());
    }
    state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(BM_ReadingsMillionCharacters)
    ->ArgName("context")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
