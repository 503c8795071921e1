// The real window on a real X display, as the user has it after a paste: the input box holds the
// keyboard focus and its caret blinks. Run by bench/display.sh, which starts the display.
#include "bench/window/BenchWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

// Two neighbouring characters with different readings, full-width (240 twips) each.
const QString kPair = QStringLiteral("中文");

QString pairText(qsizetype length) {
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = kPair[i % 2];
    return text;
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <class Done> bool runEventsUntil(Done done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Peak resident memory since the last reset, in MB.
double peakMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
void resetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// The window shown and active, the input box focused with the text pasted into it from the
// clipboard, as a user would.
std::unique_ptr<主畫面> windowWithPaste(benchmark::State& state, const QString& text) {
    auto w = makeBenchWindow();
    w->show();
    w->activateWindow();
    if (!runEventsUntil([&] { return w->isActiveWindow(); }, 5000))
        state.SkipWithError("the window did not become active");
    QWidget* input = w->很多行.widget();
    input->setFocus();
    QApplication::clipboard()->setText(text);
    for (const auto& keys : {Qt::Key_A, Qt::Key_V}) {
        QKeyEvent press(QEvent::KeyPress, keys, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, keys, Qt::ControlModifier);
        QCoreApplication::sendEvent(input, &press);
        QCoreApplication::sendEvent(input, &release);
    }
    if (w->很多行.Text() != text)
        state.SkipWithError("the paste did not land");
    if (!input->hasFocus())
        state.SkipWithError("the input box lost the focus");
    runEventsFor(1000);
    return w;
}

// CPU time the program takes over ten seconds of doing nothing, as a share of one core.
void BM_IdleFocused(benchmark::State& state) {
    auto w = windowWithPaste(state, pairText(state.range(0)));
    double share = 0;
    for (auto _ : state) {
        const double before = cpuSeconds();
        runEventsFor(10000);
        share = (cpuSeconds() - before) / 10;
    }
    state.counters["idle_cpu_percent"] = share * 100;
    state.SetLabel(QStringLiteral("%1 chars").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_IdleFocused)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Notes when the form paints each large label showing what it is expected to show.
struct LabelPaints : QObject {
    主畫面* w = nullptr;
    QString character, reading;
    bool characterPainted = false, readingPainted = false;
    void expect(const QString& c, const QString& r) {
        character = c;
        reading = r;
        characterPainted = readingPainted = false;
    }
    bool done() const { return characterPainted && readingPainted; }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const QRegion region = static_cast<QPaintEvent*>(e)->region();
            if (region.contains(w->Label1.pixelRect()) && w->Label1.Caption() == character)
                characterPainted = true;
            if (region.contains(w->注音解說.pixelRect()) && w->注音解說.Caption() == reading)
                readingPainted = true;
        }
        return false;
    }
};

// The pointer moves (the X server warps it) between two neighbouring characters of the input
// box; timed until the form has painted both labels with the new character and its reading.
void BM_HoverFocused(benchmark::State& state) {
    auto w = windowWithPaste(state, pairText(state.range(0)));
    // A pixel of the input box's character k (16 px each, box at 18, 26, one line of 16 px).
    const auto over = [&](int k) { return w->mapToGlobal(QPoint(18 + 16 * k + 8, 34)); };
    QCursor::setPos(w->mapToGlobal(QPoint(250, 170))); // the bare surface sets readyFlag
    runEventsUntil([&] { return w->readyFlag != 0; }, 5000);
    // The pointer alternates between characters 12 and 13, so every move points at a new one.
    int k = 0;
    QString readings[2];
    for (; k < 2; ++k) { // the readings the labels will show
        QCursor::setPos(over(12 + k));
        runEventsUntil([&] { return w->Label1.Caption() == kPair[k]; }, 10000);
        runEventsFor(100);
        readings[k] = w->注音解說.Caption();
    }
    LabelPaints paints;
    paints.w = w.get();
    w->installEventFilter(&paints);
    std::vector<double> times;
    for (auto _ : state) {
        const int at = 12 + k++ % 2;
        paints.expect(kPair[at % 2], readings[at % 2]);
        QElapsedTimer clock;
        clock.start();
        QCursor::setPos(over(at));
        const bool shown = runEventsUntil([&] { return paints.done(); }, 10000);
        times.push_back(clock.nsecsElapsed() / 1e9);
        state.SetIterationTime(times.back());
        if (!shown) {
            state.SkipWithError("the labels were not painted within 10 s");
            break;
        }
    }
    if (readings[0].isEmpty() || readings[0] == readings[1])
        state.SkipWithError("the two characters' readings were not told apart");
    w->removeEventFilter(&paints);
    // The median, as the mean follows the odd move that waited for a busy machine.
    if (!times.empty()) {
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        state.counters["median_ms"] = times[times.size() / 2] * 1000;
    }
    state.SetLabel(QStringLiteral("%1 chars").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_HoverFocused)
    ->Arg(100)
    ->Arg(10000)
    ->Arg(1000000)
    ->UseManualTime()
    ->MinTime(2)
    ->Unit(benchmark::kMillisecond);

struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// A press and release on the analyse button, timed until the listing is complete, with the peak
// memory of the program meanwhile and the output box's repaints.
void BM_ListingFocused(benchmark::State& state) {
    auto w = windowWithPaste(state, pairText(state.range(0)));
    PaintCount counter;
    QWidget* output = w->分析文章.widget();
    output->installEventFilter(&counter);
    for (QWidget* child : output->findChildren<QWidget*>())
        child->installEventFilter(&counter);
    using A = forms::Form::MouseAction;
    const QPointF button(6240 + 480, 120 + 360);
    double seconds = 0;
    resetPeak();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        w->dispatchMouse(A::Down, button, forms::LeftButton, forms::LeftButton, 0);
        w->dispatchMouse(A::Up, button, forms::LeftButton, 0, 0);
        seconds = clock.nsecsElapsed() / 1e9;
    }
    state.counters["peak_MB"] = peakMb();
    state.counters["repaints_per_s"] = counter.paints / seconds;
    if (w->分析文章.Text().size() < state.range(0) * 4)
        state.SkipWithError("the listing is short");
    state.SetLabel(QStringLiteral("%1 chars").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_ListingFocused)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "display_bench needs an X display (bench/display.sh starts one)\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
