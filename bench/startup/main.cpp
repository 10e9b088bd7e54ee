// Starts, shows one window, waits for its first paint and quits. Built
// twice: as the bare-window baseline (TIVORO_BENCH_BASELINE) and with the
// program's start window, set up as the program's own entry point does.
// bench/run-startup times the two as whole processes.
#include "support/BenchSupport.h"

#include <QApplication>

#include <cstdio>

#ifdef TIVORO_BENCH_BASELINE
#include <QMainWindow>
using StartWindow = QMainWindow;
#else
#include "app/applicationIcon.h"
#include "shell/MainWindow.h"
using StartWindow = MainWindow;
#endif

int main(int argc, char *argv[])
{
    tivoro::prepareHeadless();
    tivoro::bench::guardMessages();
    QApplication app(argc, argv);
#ifndef TIVORO_BENCH_BASELINE
    tivoro::installApplicationIcon();
#endif
    StartWindow window;
#ifdef TIVORO_BENCH_BASELINE
    tivoro::bench::sizeAsStartWindow(&window);
#endif
    if (!tivoro::bench::showAndPaint(&window)) {
        std::fprintf(stderr, "the window was never painted\n");
        return 1;
    }
    return tivoro::bench::warningCount() == 0 ? 0 : 1;
}
