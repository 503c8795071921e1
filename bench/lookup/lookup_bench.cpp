// The reading lookup on the real phonetic input method: lookups per second, and what building the
// input method's index costs in time and memory.
#include "bench/lookup/CommonText.h"
#include "lookup/ReadingLookup.h"
#include "platform/imm/PhoneticInputMethod.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

constexpr imm::HKL kIme = imm::PhoneticInputMethod::kPhoneticIme;

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

std::vector<QString> characters() {
    std::vector<QString> out;
    for (const QChar c : qxbench::commonText())
        out.emplace_back(c);
    return out;
}

// First in the file, so that it runs first: the build that a user's first lookup pays, code-page
// caches cold, and the memory that the process holds afterwards.
void BM_FirstIndexBuild(benchmark::State& state) {
    for (auto _ : state) {
        const double before = residentMegabytes();
        const auto start = std::chrono::steady_clock::now();
        imm::PhoneticInputMethod ime;
        const imm::CandidateLists& index = ime.candidateLists();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        state.counters["rss_growth_MB"] = residentMegabytes() - before;
        state.counters["index_MB"] = static_cast<double>(index.memoryBytes()) / (1 << 20);
        state.counters["characters"] = static_cast<double>(index.characterCount());
    }
}
BENCHMARK(BM_FirstIndexBuild)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IndexBuild(benchmark::State& state) {
    const phonetic::DictionaryFolders folders = phonetic::systemDictionaryFolders();
    for (auto _ : state)
        benchmark::DoNotOptimize(imm::CandidateLists::build(phonetic::buildReadingIndex(folders)));
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

void BM_ImeQueryComp(benchmark::State& state) {
    imm::PhoneticInputMethod ime;
    ime.candidateLists();
    const std::vector<QString> words = characters();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookup::ImeQueryComp(ime, kIme, words[i]));
        i = i + 1 == words.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ImeQueryComp);

// The pair that the window calls for every character, with its event processing.
class EventLoopPump final : public lookup::MessagePump {
public:
    std::optional<imm::HWND> activeFormWindow() const override { return 1; }
    void processPendingMessages() override { QCoreApplication::processEvents(); }
};

void BM_ToChineseThenImeQueryComp(benchmark::State& state) {
    imm::PhoneticInputMethod ime;
    ime.candidateLists();
    EventLoopPump pump;
    const std::vector<QString> words = characters();
    std::size_t i = 0;
    for (auto _ : state) {
        const imm::HKL layout = lookup::toChinese(ime, pump);
        benchmark::DoNotOptimize(lookup::ImeQueryComp(ime, layout, words[i]));
        i = i + 1 == words.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToChineseThenImeQueryComp);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
