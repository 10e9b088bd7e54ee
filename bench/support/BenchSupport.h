#pragma once

#include "common/headless.h"
#include "common/messageGuard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <utility>

namespace tivoro::bench {

using tivoro::flushDeletions;
using tivoro::prepareHeadless;

// Sees when a window's paint has ended, drawn and flushed: its widgets paint
// inside the expose or update request the window receives, so that event
// returning is the end.
class BenchApplication : public QApplication
{
public:
    using QApplication::QApplication;

    // `painted` runs once, at the end of the next paint of `window` or, for
    // none, of the first window to paint that is not visible yet.
    void watch(QWidget *window, std::function<void()> painted)
    {
        m_known.clear();
        const QWidgetList windows = topLevelWidgets();
        for (QWidget *w : windows) {
            if (w->isVisible())
                m_known.insert(w);
        }
        m_window = window;
        m_seenPaint = false;
        m_painted = std::move(painted);
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!m_painted)
            return QApplication::notify(receiver, event);
        if (event->type() == QEvent::Paint && receiver->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(receiver)->window();
            if (!m_window && !m_known.contains(window))
                m_window = window;
            m_seenPaint = m_seenPaint || window == m_window;
        }
        const bool windowEvent = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        const bool result = QApplication::notify(receiver, event);
        if (windowEvent && m_seenPaint && m_window && (receiver == m_window || receiver == m_window->windowHandle()))
            std::exchange(m_painted, nullptr)();
        return result;
    }

private:
    QSet<QWidget *> m_known;
    QWidget *m_window = nullptr;
    bool m_seenPaint = false;
    std::function<void()> m_painted;
};

// Processes events until `window` has painted once more; false after 5 s.
// Spinning, not sleeping: the figure is the toolkit's, not the scheduler's.
inline bool waitForPaint(QWidget *window)
{
    auto *app = static_cast<BenchApplication *>(QCoreApplication::instance());
    bool painted = false;
    app->watch(window, [&painted] { painted = true; });
    QElapsedTimer clock;
    clock.start();
    while (!painted && !clock.hasExpired(5000))
        QCoreApplication::processEvents();
    if (!painted)
        app->watch(nullptr, {});
    return painted;
}

// A window built without our code gets the start window's size: filling a
// backing store that large is part of the floor, not of our cost.
inline bool showAndPaint(QWidget *window, bool startWindowSize = false)
{
    if (startWindowSize)
        window->resize(975, 624);
    window->show();
    return waitForPaint(window);
}

// This process's resident memory in KiB, VmRSS or VmHWM (the peak); -1
// where /proc/self/status cannot be read.
inline qint64 residentKiB(const char *field = "VmRSS")
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray prefix = QByteArray(field) + ':';
    // A file of /proc tells no size: read until a line comes back empty.
    status.open(QIODevice::ReadOnly | QIODevice::Text);
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(prefix)) // "VmRSS:      51234 kB"
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A benchmark in which the toolkit warned has measured a fault: 1.
inline int finish(int code)
{
    if (toolkitWarningCount() == 0)
        return code;
    std::fprintf(stderr, "%d toolkit warning(s)\n", toolkitWarningCount());
    return 1;
}

} // namespace tivoro::bench
