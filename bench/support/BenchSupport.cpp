#include "support/BenchSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace tivoro::bench {

namespace {

qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(prefix)) // "VmRSS:      51234 kB"
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

void BenchApplication::watch(QWidget *window, std::function<void()> painted)
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

bool BenchApplication::notify(QObject *receiver, QEvent *event)
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
    if (windowEvent && m_seenPaint && m_window && (receiver == m_window || receiver == m_window->windowHandle())) {
        const std::function<void()> painted = std::move(m_painted);
        m_painted = nullptr;
        painted();
    }
    return result;
}

bool waitForPaint(QWidget *window)
{
    auto *app = static_cast<BenchApplication *>(QCoreApplication::instance());
    bool painted = false;
    app->watch(window, [&painted] { painted = true; });
    QElapsedTimer clock;
    clock.start();
    // Painting runs from queued expose and update requests; spin rather
    // than sleep so that the figure is the toolkit's, not the scheduler's.
    while (!painted) {
        if (clock.hasExpired(5000)) {
            app->watch(nullptr, {});
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

bool showAndPaint(QWidget *window)
{
    window->show();
    return waitForPaint(window);
}

void sizeAsStartWindow(QWidget *bareWindow)
{
    bareWindow->resize(975, 624);
}

qint64 residentKiB()
{
    return statusKiB("VmRSS");
}

qint64 peakResidentKiB()
{
    return statusKiB("VmHWM");
}

int finish(int code)
{
    if (toolkitWarningCount() == 0)
        return code;
    std::fprintf(stderr, "%d toolkit warning(s)\n", toolkitWarningCount());
    return 1;
}

} // namespace tivoro::bench
