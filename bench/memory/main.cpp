// Resident memory, one figure per fresh process:
//   tivoro-bench-memory baseline|kinds|cycles
// the peak with one bare QMainWindow (and the toolkit version), the peak with
// every window kind open once, resident after 10 and 1000 open/close cycles.
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "base/openWindow.h"
#include "common/windowKinds.h"

#include <QMainWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace tivoro::bench;

bool baseline()
{
    QMainWindow window;
    if (!showAndPaint(&window, true))
        return false;
    std::printf("baseline_peak_kib %lld\nqt_version %s\n", residentKiB("VmHWM"), qVersion());
    return true;
}

bool kinds()
{
    std::vector<std::unique_ptr<QWidget>> windows;
    for (const QString &kind : tivoro::windowKindNames()) {
        windows.emplace_back(tivoro::openWindowOfKind(kind));
        if (!waitForPaint(windows.back().get()))
            return false;
    }
    std::printf("all_kinds_peak_kib %lld\n", residentKiB("VmHWM"));
    return true;
}

// glibc keeps freed heap for reuse, its high-water mark depending on the
// order of frees: handed back first, the figure is what the program holds.
// Without the windows built ahead, which come and go with idle time.
qint64 heldKiB(qint64 *untrimmed)
{
    tivoro::dropSpares();
    *untrimmed = residentKiB();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    return residentKiB();
}

// The recording session window, deleted on close as the start window's is.
bool cycles()
{
    qint64 after10 = 0, after10Untrimmed = 0, after1000Untrimmed = 0;
    for (int n = 1; n <= 1000; ++n) {
        QWidget *window = tivoro::openWindowOfKind(QStringLiteral("SetupRecordingWithMetadata"));
        if (!window || !waitForPaint(window))
            return false;
        window->close();
        flushDeletions();
        if (n == 10)
            after10 = heldKiB(&after10Untrimmed);
    }
    const qint64 after1000 = heldKiB(&after1000Untrimmed);
    std::printf("rss_after_10_cycles_kib %lld\nrss_after_1000_cycles_kib %lld\ngrowth_kib %lld\n", after10, after1000,
                after1000 - after10);
    std::printf("untrimmed_rss_after_10_cycles_kib %lld\nuntrimmed_rss_after_1000_cycles_kib %lld\n", after10Untrimmed,
                after1000Untrimmed);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    prepareHeadless();
    tivoro::guardToolkitMessages();
    BenchApplication app(argc, argv);
    const char *mode = argc == 2 ? argv[1] : "";
    if (std::strcmp(mode, "baseline") != 0 && std::strcmp(mode, "kinds") != 0 && std::strcmp(mode, "cycles") != 0) {
        std::fprintf(stderr, "usage: %s baseline|kinds|cycles\n", argv[0]);
        return 2;
    }
    if (std::strcmp(mode, "baseline") != 0)
        tivoro::installApplicationIcon();
    const bool ok = mode[0] == 'b' ? baseline() : mode[0] == 'k' ? kinds() : cycles();
    if (!ok)
        std::fprintf(stderr, "%s: a window was never painted\n", mode);
    return finish(ok ? 0 : 1);
}
