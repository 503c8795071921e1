// Pointing and listing on the real window (offscreen) with the real input method.
#include "bench/window/BenchWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<主畫面> makeWindow() {
    auto w = makeBenchWindow();
    w->show();
    QCoreApplication::processEvents();
    return w;
}

QString sampleText(qsizetype length) {
    const QString pool = QStringLiteral("中文字的行和了重請在此輸入或貼上完成後滑鼠指向");
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = pool[i % pool.size()];
    return text;
}

// A mouse move over the input box until both labels are updated, lookup included. A button held
// since a press inside the box keeps the mouse with it, wherever the pointer goes along the
// text. The pointer alternates between two neighbouring characters so that every move points at
// a new one.
void BM_PointingMove(benchmark::State& state) {
    auto w = makeWindow();
    const qsizetype length = state.range(0);
    w->很多行.setText(sampleText(length));
    using A = forms::Form::MouseAction;
    w->dispatchMouse(A::Down, {300, 450}, forms::LeftButton, forms::LeftButton, 0);
    // Where the pointer is, as a share of the text's width (a character is 240 twips).
    const double x = double(length) * 240 * double(state.range(1)) / 100.0;
    int flip = 0;
    for (auto _ : state) {
        w->readyFlag = -1;
        w->dispatchMouse(A::Move, {270 + x + 240.0 * (flip ^= 1), 450}, 0, forms::LeftButton, 0);
        benchmark::DoNotOptimize(w->注音解說.Caption());
    }
    if (w->注音解說.Caption().isEmpty())
        state.SkipWithError("no reading shown");
    w->dispatchMouse(A::Up, {300, 450}, forms::LeftButton, 0, 0);
    state.SetLabel(
        QStringLiteral("%1 chars, pointer at %2%").arg(length).arg(state.range(1)).toStdString());
}
BENCHMARK(BM_PointingMove)
    ->ArgsProduct({{100, 10000, 1000000}, {1, 50, 99}})
    ->Unit(benchmark::kMicrosecond);

// The shortening loop as first designed: one nested change per removed character, the gauge
// measuring each prefix. The baseline for the single-pass search above.
struct LiteralLoop {
    forms::MemoryTextBox store{QStringLiteral("store"), {}};
    forms::Label gauge{QStringLiteral("gauge"),
                       {{QStringLiteral("新細明體"), 12, 400},
                        forms::systemWindowText,
                        0x0000FF,
                        forms::Label::Align::Left,
                        true,
                        true}};
    std::int32_t limit = 0;
    QString pointed;
    LiteralLoop() {
        store.Change = [this] {
            gauge.setCaption(store.Text());
            if (gauge.Width() > limit && !store.Text().isEmpty())
                store.setText(store.Text().left(store.Text().size() - 1));
            QString t = store.Text();
            while (t.endsWith(u' '))
                t.chop(1);
            store.setText(t);
            pointed = store.Text().right(1);
        };
    }
};

void BM_PointingLiteralNestedLoop(benchmark::State& state) {
    LiteralLoop loop;
    const QString text = sampleText(state.range(0));
    loop.limit = 240 * 2;
    for (auto _ : state) {
        loop.store.setText(QStringLiteral("x"));
        loop.store.setText(text);
        benchmark::DoNotOptimize(loop.pointed);
    }
    state.SetLabel(
        QStringLiteral("%1 chars, pointer near the start").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_PointingLiteralNestedLoop)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Counts the output box's repaints while a listing runs.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void BM_Listing(benchmark::State& state) {
    auto w = makeWindow();
    w->很多行.setText(sampleText(state.range(0)));
    PaintCounter counter;
    auto* viewport =
        w->分析文章.widget()->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    (viewport ? viewport : w->分析文章.widget())->installEventFilter(&counter);
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        w->查詢鈕_MouseDown({});
        w->查詢鈕_MouseUp({});
        seconds += timer.nsecsElapsed() / 1e9;
    }
    state.counters["repaints_per_s"] = counter.paints / seconds;
    state.SetLabel(QStringLiteral("%1 chars").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_Listing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
