#pragma once

#include "common/headless.h"
#include "common/messageGuard.h"

#include <QApplication>
#include <QSet>

#include <functional>

namespace tivoro::bench {

using tivoro::flushDeletions;
using tivoro::prepareHeadless;

// The benchmarks' application object, which sees when a window's paint has
// ended: drawn and flushed. The paint events reach the widgets inside the
// expose or update request that the window itself receives, so that event
// returning is the end.
class BenchApplication : public QApplication
{
public:
    using QApplication::QApplication;

    // Calls `painted` once, at the end of the next paint of `window`, or,
    // for none, of the first window that paints and was not visible now.
    void watch(QWidget *window, std::function<void()> painted);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    QSet<QWidget *> m_known;
    QWidget *m_window = nullptr;
    bool m_seenPaint = false;
    std::function<void()> m_painted;
};

// Processes events until the window has painted once more; false if it
// did not within a few seconds.
bool waitForPaint(QWidget *window);

// Shows the window and waits for its first paint.
bool showAndPaint(QWidget *window);

// Gives a window built without our code the start window's size: filling
// and flushing a fresh backing store of that many pixels is part of the
// floor, not of our cost.
void sizeAsStartWindow(QWidget *bareWindow);

// Resident memory of this process in KiB from /proc/self/status: VmRSS now,
// VmHWM the peak so far. -1 where unreadable.
qint64 residentKiB();
qint64 peakResidentKiB();

// Ends a benchmark: 1 if the toolkit warned (it has measured a fault),
// else `code`.
int finish(int code);

} // namespace tivoro::bench
