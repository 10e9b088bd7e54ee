#include "support/BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

namespace tivoro::bench {

namespace {

QtMessageHandler previousHandler = nullptr;
int warnings = 0;

void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Not even printed: printing would be timed too.
    if (tivoro::isPlatformNotice(message))
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++warnings;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Watches the whole application, since the toolkit sends the paint events
// to the children that need them, not necessarily to the window itself.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(QWidget *window)
        : m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PaintWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window)
            m_painted = true;
        return false;
    }

private:
    QWidget *m_window;
    bool m_painted = false;
};

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

void guardMessages()
{
    previousHandler = qInstallMessageHandler(countWarnings);
}

int warningCount()
{
    return warnings;
}

bool waitForPaint(QWidget *window)
{
    const PaintWatcher watcher(window);
    QElapsedTimer clock;
    clock.start();
    // Painting runs from queued expose and update requests; spin rather
    // than sleep so that the figure is the toolkit's, not the scheduler's.
    while (!watcher.painted()) {
        if (clock.hasExpired(5000))
            return false;
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

} // namespace tivoro::bench
