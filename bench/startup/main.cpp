// Starts, shows one window, waits for its first paint and quits. Built
// three times, differing only in the window: the program's start window,
// set up as the program's own entry point does; the floor
// (TIVORO_BENCH_FLOOR), the start window's widgets built by hand from the
// toolkit alone, which any implementation of that window pays for; and a
// bare window of the same size (TIVORO_BENCH_BASELINE). bench/run-startup
// times them as whole processes.
#include "support/BenchSupport.h"

#include <cstdio>

#if defined(TIVORO_BENCH_BASELINE) || defined(TIVORO_BENCH_FLOOR)
#include <QMainWindow>
using StartWindow = QMainWindow;
#else
#include "app/applicationIcon.h"
#include "shell/MainWindow.h"
using StartWindow = MainWindow;
#endif

#ifdef TIVORO_BENCH_FLOOR
#include <QCommandLinkButton>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Menus, an empty tool bar, a status bar and the three command buttons in
// a column, created in the start window's order.
void furnish(QMainWindow &window)
{
    window.setWindowTitle(QStringLiteral("Tivoro"));
    auto *central = new QWidget(&window);
    auto *analyze = new QCommandLinkButton(QStringLiteral("Analyze video files"), central);
    auto *setUp = new QCommandLinkButton(QStringLiteral("Set up recoding session"), central);
    auto *open = new QCommandLinkButton(QStringLiteral("Open analyzed project"), central);
    auto *column = new QVBoxLayout(central);
    column->addWidget(analyze);
    column->addWidget(open);
    column->addWidget(setUp);
    column->addStretch();
    window.setCentralWidget(central);

    auto *bar = new QMenuBar(&window);
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Open analyzed project"));
    file->addAction(QStringLiteral("Open videos"));
    file->addAction(QStringLiteral("Exit"));
    bar->addMenu(QStringLiteral("Tools"))->addAction(QStringLiteral("Settings"));
    bar->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.setMenuBar(bar);
    window.addToolBar(Qt::TopToolBarArea, new QToolBar(&window));
    window.setStatusBar(new QStatusBar(&window));
}

} // namespace
#endif

int main(int argc, char *argv[])
{
    tivoro::prepareHeadless();
    tivoro::guardToolkitMessages();
    tivoro::bench::BenchApplication app(argc, argv);
#if !defined(TIVORO_BENCH_BASELINE) && !defined(TIVORO_BENCH_FLOOR)
    tivoro::installApplicationIcon();
#endif
    StartWindow window;
#ifdef TIVORO_BENCH_FLOOR
    furnish(window);
#endif
#if defined(TIVORO_BENCH_BASELINE) || defined(TIVORO_BENCH_FLOOR)
    tivoro::bench::sizeAsStartWindow(&window);
#endif
    if (!tivoro::bench::showAndPaint(&window)) {
        std::fprintf(stderr, "the window was never painted\n");
        return 1;
    }
    return tivoro::bench::finish(0);
}
