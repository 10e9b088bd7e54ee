#pragma once

#include "common/headless.h"

#include <QtGlobal>

class QWidget;

namespace tivoro::bench {

using tivoro::flushDeletions;
using tivoro::prepareHeadless;

// Counts the toolkit's warnings from here on, the offscreen plugin's own
// notices aside (those are dropped); a benchmark that provokes one has
// measured a fault.
void guardMessages();
int warningCount();

// Processes events until some widget of `window` has been painted, which
// the toolkit does for the whole dirty region of the window in one pass.
// False if nothing was painted within a few seconds.
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

} // namespace tivoro::bench
