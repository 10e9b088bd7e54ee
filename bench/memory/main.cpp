// Resident memory, one figure per run so that each starts from a fresh
// process:
//   tivoro-bench-memory baseline    peak of a process showing one bare QMainWindow
//                                   (and the toolkit version)
//   tivoro-bench-memory kinds       peak of a process that opens every window kind once
//   tivoro-bench-memory cycles      resident after 10 and after 1000 open/close cycles
//                                   of the recording session window, freed heap
//                                   memory handed back first
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "common/windowKinds.h"

#include <QMainWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace tivoro::bench;

bool baseline()
{
    QMainWindow window;
    sizeAsStartWindow(&window);
    if (!showAndPaint(&window))
        return false;
    std::printf("baseline_peak_kib %lld\n", peakResidentKiB());
    std::printf("qt_version %s\n", qVersion());
    return true;
}

bool kinds()
{
    std::vector<std::unique_ptr<QWidget>> windows;
    for (const QString &kind : tivoro::windowKindNames()) {
        windows.emplace_back(tivoro::openWindowOfKind(kind));
        if (!waitForPaint(windows.back().get())) {
            std::fprintf(stderr, "%s was never painted\n", qPrintable(kind));
            return false;
        }
    }
    std::printf("all_kinds_peak_kib %lld\n", peakResidentKiB());
    return true;
}

// Opened and closed as the start window does it: deleted on close.
bool cycle()
{
    QWidget *window = tivoro::openWindowOfKind(QStringLiteral("SetupRecordingWithMetadata"));
    if (!window)
        return false;
    const bool painted = waitForPaint(window);
    window->close();
    flushDeletions();
    return painted;
}

// glibc keeps freed heap memory for reuse, and where its high-water mark
// lands depends on the order of frees; handing the free memory back first
// makes the figure what the program holds. The untrimmed figure is printed
// too.
qint64 heldKiB(qint64 *untrimmed)
{
    *untrimmed = residentKiB();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    return residentKiB();
}

bool cycles()
{
    constexpr int first = 10;
    constexpr int last = 1000;
    qint64 afterFirst = 0;
    qint64 afterFirstUntrimmed = 0;
    for (int n = 1; n <= last; ++n) {
        if (!cycle()) {
            std::fprintf(stderr, "cycle %d: the window was never painted\n", n);
            return false;
        }
        if (n == first)
            afterFirst = heldKiB(&afterFirstUntrimmed);
    }
    qint64 afterLastUntrimmed = 0;
    const qint64 afterLast = heldKiB(&afterLastUntrimmed);
    std::printf("rss_after_%d_cycles_kib %lld\n", first, afterFirst);
    std::printf("rss_after_%d_cycles_kib %lld\n", last, afterLast);
    std::printf("growth_kib %lld\n", afterLast - afterFirst);
    std::printf("untrimmed_rss_after_%d_cycles_kib %lld\n", first, afterFirstUntrimmed);
    std::printf("untrimmed_rss_after_%d_cycles_kib %lld\n", last, afterLastUntrimmed);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    prepareHeadless();
    tivoro::guardToolkitMessages();
    BenchApplication app(argc, argv);
    const char *mode = argc == 2 ? argv[1] : "";
    bool ok = false;
    if (std::strcmp(mode, "baseline") == 0) {
        ok = baseline();
    } else {
        tivoro::installApplicationIcon();
        if (std::strcmp(mode, "kinds") == 0) {
            ok = kinds();
        } else if (std::strcmp(mode, "cycles") == 0) {
            ok = cycles();
        } else {
            std::fprintf(stderr, "usage: %s baseline|kinds|cycles\n", argv[0]);
            return 2;
        }
    }
    return finish(ok ? 0 : 1);
}
