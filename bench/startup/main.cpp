// Starts, shows one window, waits for its first paint and quits; built as the
// program's start window, as the floor (TIVORO_BENCH_FLOOR: its widgets from
// the toolkit alone, what any implementation pays) and as a bare window
// (TIVORO_BENCH_BASELINE). bench/run-startup times them as whole processes.
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "shell/MainWindow.h"

#ifdef TIVORO_BENCH_FLOOR
#include <QCommandLinkButton>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

void furnish(QMainWindow &window) // in the start window's order
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
#if defined(TIVORO_BENCH_BASELINE) || defined(TIVORO_BENCH_FLOOR)
    QMainWindow window;
#ifdef TIVORO_BENCH_FLOOR
    furnish(window);
#endif
    const bool painted = tivoro::bench::showAndPaint(&window, true);
#else
    tivoro::installApplicationIcon();
    MainWindow window;
    const bool painted = tivoro::bench::showAndPaint(&window);
#endif
    if (!painted)
        std::fprintf(stderr, "the window was never painted\n");
    return tivoro::bench::finish(painted ? 0 : 1);
}
