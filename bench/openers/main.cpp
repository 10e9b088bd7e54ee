// The latency a user feels at a first opening: a fresh process shows the
// start window as the program does, leaves it idle for 300 ms, and then a
// click opens a window; the figure is the time from the click to the end of
// that window's first paint (drawn and flushed). A chain goes on from the
// new window, idle 300 ms again, to the next click. One chain per process:
//   tivoro-bench-openers CHAIN [cold]
// prints, tab-separated, one "figure, wall ms, process CPU ms" line per
// opening (the start window's own first), and the resident memory of the
// idle start window. "cold"
// leaves out the idle-time warm-up, so that one binary gives the figures
// with and without. bench/run-openers runs every chain, under Xvfb when
// there is one.
#include "support/BenchSupport.h"

#include "app/IdleWarmUp.h"
#include "app/applicationIcon.h"
#include "app/panelsFirstUse.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int idleMs = 300;

// Worker threads included: the toolkit scales large pictures on several.
double processCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Times from startClock() to the moment a window that was not shown then
// has finished its first paint: the paint events reach the widgets inside
// the expose or update request that the window itself receives, so the
// window's own event returning is the end of the paint and its flush.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    std::function<void(double, double)> painted; // wall and CPU ms since the clock started

    void startClock()
    {
        m_known.clear();
        const QWidgetList windows = topLevelWidgets();
        for (QWidget *w : windows) {
            if (w->isVisible())
                m_known.insert(w);
        }
        m_newWindow = nullptr;
        m_cpuStart = processCpuMs();
        m_clock.start();
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!m_clock.isValid())
            return QApplication::notify(receiver, event);
        if (event->type() == QEvent::Paint && receiver->isWidgetType() && !m_newWindow) {
            QWidget *window = static_cast<QWidget *>(receiver)->window();
            if (!m_known.contains(window))
                m_newWindow = window;
        }
        const bool windowEvent = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        const bool result = QApplication::notify(receiver, event);
        if (windowEvent && m_newWindow && (receiver == m_newWindow || receiver == m_newWindow->windowHandle())) {
            const double ms = m_clock.nsecsElapsed() / 1e6;
            const double cpuMs = processCpuMs() - m_cpuStart;
            m_clock.invalidate();
            if (painted)
                painted(ms, cpuMs);
        }
        return result;
    }

private:
    QSet<QWidget *> m_known;
    QWidget *m_newWindow = nullptr;
    QElapsedTimer m_clock;
    double m_cpuStart = 0;
};

QWidget *visibleWidget(const char *objectName)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!window->isVisible())
            continue;
        if (window->objectName() == QLatin1String(objectName))
            return window;
        if (auto *w = window->findChild<QWidget *>(QLatin1String(objectName)); w && w->isVisible())
            return w;
    }
    return nullptr;
}

template <class T>
T *visibleOf()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!window->isVisible())
            continue;
        if (auto *w = qobject_cast<T *>(window))
            return w;
        if (auto *w = window->findChild<T *>(); w && w->isVisible())
            return w;
    }
    return nullptr;
}

bool clickAt(QWidget *widget, const QPoint &pos)
{
    if (!widget)
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    return true;
}

bool click(const char *objectName)
{
    QWidget *w = visibleWidget(objectName);
    return w && clickAt(w, w->rect().center());
}

bool menuTitle(const QString &title)
{
    auto *bar = visibleOf<QMenuBar>();
    const QList<QAction *> actions = bar ? bar->actions() : QList<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == title)
            return clickAt(bar, bar->actionGeometry(action).center());
    }
    return false;
}

bool menuEntry(const QString &text)
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    const QList<QAction *> actions = menu ? menu->actions() : QList<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == text)
            return clickAt(menu, menu->actionGeometry(action).center());
    }
    return false;
}

bool escapeModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    QTest::keyClick(modal, Qt::Key_Escape);
    return true;
}

// As the window's close button does it.
bool closeWindow(const char *className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->inherits(className))
            return window->close();
    }
    return false;
}

// The start window back first, so that closing the session window does not
// end the program (nothing in it leads back there).
bool backToStart()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->inherits("MainWindow"))
            window->show();
    }
    return closeWindow("AddCamera") && closeWindow("SessionWindow");
}

struct Step
{
    const char *figure; // nullptr: nothing opens
    std::function<bool()> act;
};

std::vector<Step> chain(const char *name)
{
    // The second openings, the first one closed, show what is left once
    // nothing is done for the first time: the floor of a first opening.
    if (std::strcmp(name, "session") == 0)
        return {{"recording session window", [] { return click("commandLinkButtonSetUpRecording"); }},
                {"add camera dialog, from it", [] { return click("addCameraPushButton"); }},
                {nullptr, [] { return closeWindow("AddCamera"); }},
                {"add camera dialog, second opening", [] { return click("addCameraPushButton"); }},
                {nullptr, backToStart},
                {"recording session window, second opening", [] { return click("commandLinkButtonSetUpRecording"); }}};
    if (std::strcmp(name, "settings") == 0)
        return {{"Tools menu", [] { return menuTitle(QStringLiteral("Tools")); }},
                {"settings dialog, from it", [] { return menuEntry(QStringLiteral("Settings")); }},
                {"colour dialog, from it", [] { return click("pushButton_2"); }},
                {nullptr, [] { return closeWindow("QColorDialog") && closeWindow("Settings"); }},
                {"Tools menu, second opening", [] { return menuTitle(QStringLiteral("Tools")); }},
                {"settings dialog, second opening", [] { return menuEntry(QStringLiteral("Settings")); }}};
    if (std::strcmp(name, "analyze") == 0)
        return {{"file dialog of Analyze video files", [] { return click("commandLinkButtonAnalyze"); }},
                {"video analysis window, file dialog answered", escapeModal}};
    if (std::strcmp(name, "project") == 0)
        return {{"file dialog of Open analyzed project", [] { return click("commandLinkButtonOpenProject"); }},
                {nullptr, escapeModal}};
    return {};
}

// Runs the steps from timers, since a step that opens a modal dialog only
// returns once a later step has answered it.
class ChainRunner
{
public:
    ChainRunner(TimedApplication *app, std::vector<Step> steps)
        : m_app(app)
        , m_steps(std::move(steps))
    {
        app->painted = [this](double ms, double cpuMs) { opened(ms, cpuMs); };
    }

    // Starts with the start window's first paint.
    void startClock() { m_app->startClock(); }

    bool ok() const { return m_ok; }

private:
    void opened(double ms, double cpuMs)
    {
        const char *figure = m_next > 0 ? m_steps[m_next - 1].figure : "start window, constructed to first paint";
        std::printf("%s\t%.3f\t%.3f\n", figure, ms, cpuMs);
        QTimer::singleShot(idleMs, m_app, [this] { next(); });
    }

    void next()
    {
        if (m_next == m_steps.size()) {
            QCoreApplication::quit();
            return;
        }
        if (m_next == 0)
            std::printf("idle start window, resident KiB\t%lld\n", tivoro::bench::residentKiB());
        const Step &step = m_steps[m_next++];
        if (step.figure)
            m_app->startClock();
        if (!step.act()) {
            std::fprintf(stderr, "step %zu: nothing to click\n", m_next);
            m_ok = false;
            QCoreApplication::quit();
        } else if (!step.figure) {
            QTimer::singleShot(m_next == m_steps.size() ? 0 : idleMs, m_app, [this] { next(); });
        }
    }

    TimedApplication *m_app;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_ok = true;
};

} // namespace

int main(int argc, char *argv[])
{
    tivoro::prepareHeadless(true);
    tivoro::bench::guardMessages();
    TimedApplication app(argc, argv);
    const std::vector<Step> steps = chain(argc >= 2 ? argv[1] : "");
    const bool cold = argc == 3 && std::strcmp(argv[2], "cold") == 0;
    if (steps.empty() || (argc == 3 && !cold)) {
        std::fprintf(stderr, "usage: %s session|settings|analyze|project [cold]\n", argv[0]);
        return 2;
    }
    ChainRunner runner(&app, steps);
    QTimer::singleShot(10000, &app, [] {
        std::fprintf(stderr, "a window was never painted\n");
        QCoreApplication::exit(1);
    });

    // As the program's entry point does it.
    tivoro::installApplicationIcon();
    runner.startClock();
    MainWindow window;
    if (!cold)
        new IdleWarmUp(&window, tivoro::panelsFirstUse(&window));
    window.show();

    const int code = app.exec();
    if (tivoro::bench::warningCount() > 0) {
        std::fprintf(stderr, "%d toolkit warning(s)\n", tivoro::bench::warningCount());
        return 1;
    }
    return code == 0 && runner.ok() ? 0 : 1;
}
