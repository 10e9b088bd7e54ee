// The latency a user feels at a click: a fresh process shows the start
// window as the program does, leaves it idle for 300 ms, and then a click
// opens a window (or switches a page); the figure is the time from the
// click to the end of the paint it brings (drawn and flushed). A chain goes
// on from there, idle 300 ms again, to the next click. One chain per
// process:
//   tivoro-bench-openers CHAIN [cold]
// prints, tab-separated, one "figure, wall ms, process CPU ms" line per
// click (the start window's own first paint first), and the resident
// memory of the idle start window. "cold" drops the windows built ahead
// before each click, so that one binary gives the figures with and without.
// bench/run-openers runs every chain, under Xvfb when there is one.
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "base/openWindow.h"
#include "common/windowKinds.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int idleMs = 300;

// "Class/name/name": a widget of a visible window of that class (or of a
// class it inherits), by object names from the window down.
QWidget *visibleWidget(const char *path)
{
    const QStringList names = QString::fromLatin1(path).split(QLatin1Char('/'));
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!window->isVisible() || !window->inherits(qPrintable(names.first())))
            continue;
        QWidget *w = window;
        for (int i = 1; w && i < names.size(); ++i)
            w = w->findChild<QWidget *>(names.at(i));
        if (w && w->isVisible())
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

bool click(const char *path)
{
    QWidget *w = visibleWidget(path);
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
        if (window->inherits("MainWindow") && !tivoro::isSpare(window))
            window->show();
    }
    return closeWindow("SessionWindow");
}

struct Step
{
    const char *figure; // nullptr: nothing to time
    std::function<bool()> act;
    const char *repaints = nullptr; // class of a shown window that repaints; none: a window opens
};

std::vector<Step> chain(const char *name)
{
    // The second openings, the first one closed, show what is left once
    // nothing is done for the first time: the floor of a first opening.
    // A page switch repaints the session window.
    if (std::strcmp(name, "session") == 0)
        return {{"recording session window", [] { return click("MainWindow/commandLinkButtonSetUpRecording"); }},
                {"add camera dialog, from it", [] { return click("SessionWindow/addCameraPushButton"); }},
                {nullptr, [] { return closeWindow("AddCamera"); }},
                {"add camera dialog, second opening", [] { return click("SessionWindow/addCameraPushButton"); }},
                {nullptr, [] { return closeWindow("AddCamera"); }},
                {"recording session window, start/stop", [] { return click("SessionWindow/pushButtonStartStop"); },
                 "SessionWindow"},
                {"recording session window, graph/metadata", [] { return click("SessionWindow/pushButtonShowGraph"); },
                 "SessionWindow"},
                {nullptr, backToStart},
                {"recording session window, second opening",
                 [] { return click("MainWindow/commandLinkButtonSetUpRecording"); }}};
    if (std::strcmp(name, "settings") == 0)
        return {{"Tools menu", [] { return menuTitle(QStringLiteral("Tools")); }},
                {"settings dialog, from it", [] { return menuEntry(QStringLiteral("Settings")); }},
                {"colour dialog, from it", [] { return click("Settings/pushButton_2"); }},
                {nullptr, [] { return closeWindow("QColorDialog") && closeWindow("Settings"); }},
                {"Tools menu, second opening", [] { return menuTitle(QStringLiteral("Tools")); }},
                {"settings dialog, second opening", [] { return menuEntry(QStringLiteral("Settings")); }}};
    if (std::strcmp(name, "analyze") == 0)
        return {{"file dialog of Analyze video files", [] { return click("MainWindow/commandLinkButtonAnalyze"); }},
                {"video analysis window, file dialog answered", escapeModal}};
    if (std::strcmp(name, "project") == 0)
        return {
            {"file dialog of Open analyzed project", [] { return click("MainWindow/commandLinkButtonOpenProject"); }},
            {nullptr, escapeModal}};
    // No click leads here from the start window: the chain begins as a
    // hand-over would.
    if (std::strcmp(name, "stepwise") == 0)
        return {{"camera setup window, opened", [] { return tivoro::openWindowOfKind("SetupRecording"); }},
                {"recording settings dialog, from it", [] { return click("SetupRecording/widget/pushButton_2"); }},
                {"camera setup window, from it", [] { return click("RecordingSettings/pushButton"); }},
                {"recording view window, from it", [] { return click("SetupRecording/widget/pushButton"); }}};
    return {};
}

// Worker threads included: the toolkit scales large pictures on several.
double processCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs the steps from timers, since a step that opens a modal dialog only
// returns once a later step has answered it; times each from its click to
// the end of the paint it brings.
class ChainRunner
{
public:
    ChainRunner(tivoro::bench::BenchApplication *app, std::vector<Step> steps, bool cold)
        : m_app(app)
        , m_steps(std::move(steps))
        , m_cold(cold)
    {
    }

    // Times the start window, from here to its first paint.
    void startClock() { startClock(nullptr); }

    bool ok() const { return m_ok; }

private:
    void startClock(QWidget *repainting)
    {
        m_cpuStart = processCpuMs();
        m_clock.start();
        m_app->watch(repainting, [this] { painted(); });
    }

    void painted()
    {
        const double ms = m_clock.nsecsElapsed() / 1e6;
        const double cpuMs = processCpuMs() - m_cpuStart;
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
        if (m_cold)
            tivoro::dropSpares();
        if (step.figure)
            startClock(step.repaints ? visibleWidget(step.repaints) : nullptr);
        if (!step.act()) {
            std::fprintf(stderr, "step %zu: nothing to click\n", m_next);
            m_ok = false;
            QCoreApplication::quit();
        } else if (!step.figure) {
            QTimer::singleShot(m_next == m_steps.size() ? 0 : idleMs, m_app, [this] { next(); });
        }
    }

    tivoro::bench::BenchApplication *m_app;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_cold;
    bool m_ok = true;
    QElapsedTimer m_clock;
    double m_cpuStart = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    tivoro::prepareHeadless(true);
    tivoro::guardToolkitMessages();
    tivoro::bench::BenchApplication app(argc, argv);
    const std::vector<Step> steps = chain(argc >= 2 ? argv[1] : "");
    const bool cold = argc == 3 && std::strcmp(argv[2], "cold") == 0;
    if (steps.empty() || (argc == 3 && !cold)) {
        std::fprintf(stderr, "usage: %s session|settings|analyze|project|stepwise [cold]\n", argv[0]);
        return 2;
    }
    ChainRunner runner(&app, steps, cold);
    QTimer::singleShot(10000, &app, [] {
        std::fprintf(stderr, "a window was never painted\n");
        QCoreApplication::exit(1);
    });

    // As the program's entry point does it.
    tivoro::installApplicationIcon();
    runner.startClock();
    MainWindow window;
    window.show();

    const int code = app.exec();
    return tivoro::bench::finish(code == 0 && runner.ok() ? 0 : 1);
}
