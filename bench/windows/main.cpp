// Opening every window kind (constructed, shown, painted once) and one
// click on each session window's start/stop and graph/metadata buttons
// (page switch and repaint). One sample per repetition, so that the median
// is the median of single openings and clicks. The first repetition of a
// kind (the "first" row) also pays for what the run had not loaded yet.
//   tivoro-bench-windows --kinds     prints each window kind's class name
//                                    and title, one a line, for bench/run
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "common/windowKinds.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tivoro::bench;

constexpr int repetitions = 30;

// Opened as a hand-over opens it; deleted untimed.
void openWindow(benchmark::State &state, const QString &kind)
{
    for (auto _ : state) {
        std::unique_ptr<QWidget> window(tivoro::openWindowOfKind(kind));
        if (!window || !waitForPaint(window.get())) {
            state.SkipWithError("no such window, or never painted");
            break;
        }
        state.PauseTiming();
        window.reset();
        flushDeletions();
        state.ResumeTiming();
    }
}

// A fresh window each time: the first switch to a page is the one that
// lays out and paints it for the first time.
void clickButton(benchmark::State &state, const QString &kind, const QString &buttonName)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QWidget> window(tivoro::openWindowOfKind(kind));
        QPushButton *button = window ? window->findChild<QPushButton *>(buttonName) : nullptr;
        const bool ready = button && waitForPaint(window.get());
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("no such window or button, or never painted");
            break;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        if (!waitForPaint(window.get())) {
            state.SkipWithError("no repaint after the click");
            break;
        }
        state.PauseTiming();
        window.reset();
        flushDeletions();
        state.ResumeTiming();
    }
}

void configure(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("first", [](const std::vector<double> &samples) { return samples.front(); });
}

void registerBenchmarks()
{
    for (const QString &kind : tivoro::windowKindNames())
        configure(benchmark::RegisterBenchmark(("Open/" + kind.toStdString()).c_str(), openWindow, kind));
    for (const char *kind : {"SetupRecordingWithMetadata", "AnalyzeVideos"}) {
        for (const char *button : {"pushButtonStartStop", "pushButtonShowGraph"}) {
            configure(benchmark::RegisterBenchmark((std::string("Click/") + kind + '/' + button).c_str(), clickButton,
                                                   QString::fromLatin1(kind), QString::fromLatin1(button)));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--kinds") == 0) {
        for (const tivoro::WindowKind &kind : tivoro::windowKinds)
            std::printf("%s %s\n", kind.className, kind.title);
        return 0;
    }
    prepareHeadless();
    guardMessages();
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    tivoro::installApplicationIcon();
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (warningCount() > 0) {
        std::fprintf(stderr, "%d toolkit warning(s) while benchmarking\n", warningCount());
        return 1;
    }
    return 0;
}
