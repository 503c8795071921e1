// quilldex2-readings as a whole process, start to exit, listing a million characters.
#include "bench/lookup/CommonText.h"

#include <QProcess>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kCharacters = 1'000'000;

void BM_ReadingsMillionCharacters(benchmark::State& state) {
    const QString sample = qxbench::commonText();
    QString text;
    text.reserve(kCharacters);
    while (text.size() < kCharacters)
        text += sample;
    text.truncate(kCharacters);
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
        process.start(QStringLiteral(QX_READINGS_PROGRAM), {});
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
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
