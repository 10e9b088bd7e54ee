// What a user feels at a click: a fresh process shows the start window as the
// program does, idles 300 ms and clicks, printing per click "figure\twall ms\t
// process CPU ms" to the end of the paint it brings, and the idle resident memory.
//   tivoro-bench-openers session|settings|analyze|project|stepwise [cold: no windows built ahead]
#include "support/BenchSupport.h"

#include "app/applicationIcon.h"
#include "base/openWindow.h"
#include "common/windowKinds.h"
#include "shell/MainWindow.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int idleMs = 300;

// "Class/name/name": a widget of a visible window of that class (or of one
// it inherits), by object names from the window down.
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

bool click(const char *path)
{
    QWidget *w = visibleWidget(path);
    if (w)
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    return w;
}

// An entry of a menu bar or menu, by its text.
template <class Menu>
bool clickEntry(Menu *menu, const char *text)
{
    const QList<QAction *> actions = menu ? menu->actions() : QList<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == QLatin1String(text)) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return true;
        }
    }
    return false;
}

bool toolsMenu()
{
    return clickEntry(qobject_cast<QMenuBar *>(visibleWidget("MainWindow/menuBar")), "Tools");
}

bool settingsEntry()
{
    return clickEntry(qobject_cast<QMenu *>(QApplication::activePopupWidget()), "Settings");
}

bool escapeModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal)
        QTest::keyClick(modal, Qt::Key_Escape);
    return modal;
}

// As the window's close button does it.
bool closeWindow(const char *className)
{
    QWidget *window = visibleWidget(className);
    return window && window->close();
}

// The start window back first: closing the last window would end the program.
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
    bool (*act)();
    const char *repaints = nullptr; // the shown window a page switch repaints; none: a window opens
};

// A second opening, the first one closed, shows what is left once nothing is
// done for the first time: the floor of a first opening.
std::vector<Step> chain(const char *name)
{
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
        return {{"Tools menu", toolsMenu},
                {"settings dialog, from it", settingsEntry},
                {"colour dialog, from it", [] { return click("Settings/pushButton_2"); }},
                {nullptr, [] { return closeWindow("QColorDialog") && closeWindow("Settings"); }},
                {"Tools menu, second opening", toolsMenu},
                {"settings dialog, second opening", settingsEntry}};
    if (std::strcmp(name, "analyze") == 0)
        return {{"file dialog of Analyze video files", [] { return click("MainWindow/commandLinkButtonAnalyze"); }},
                {"video analysis window, file dialog answered", escapeModal}};
    if (std::strcmp(name, "project") == 0)
        return {
            {"file dialog of Open analyzed project", [] { return click("MainWindow/commandLinkButtonOpenProject"); }},
            {nullptr, escapeModal}};
    // No click leads here from the start window: it begins as a hand-over does.
    if (std::strcmp(name, "stepwise") == 0)
        return {{"camera setup window, opened", [] { return tivoro::openWindowOfKind("SetupRecording") != nullptr; }},
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

// Steps run from timers: one that opens a modal dialog returns only once a
// later step has answered it.
class ChainRunner
{
public:
    ChainRunner(tivoro::bench::BenchApplication *app, std::vector<Step> steps, bool cold)
        : m_app(app)
        , m_steps(std::move(steps))
        , m_cold(cold)
    {
    }

    // From here to the end of the paint of `repainting` or of a new window.
    void startClock(QWidget *repainting = nullptr)
    {
        m_cpuStart = processCpuMs();
        m_clock.start();
        m_app->watch(repainting, [this] {
            const char *figure = m_next > 0 ? m_steps[m_next - 1].figure : "start window, constructed to first paint";
            std::printf("%s\t%.3f\t%.3f\n", figure, m_clock.nsecsElapsed() / 1e6, processCpuMs() - m_cpuStart);
            QTimer::singleShot(idleMs, m_app, [this] { next(); });
        });
    }

    bool ok() const { return m_ok; }

private:
    void next()
    {
        if (m_next == m_steps.size())
            return QCoreApplication::quit();
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
    tivoro::installApplicationIcon(); // as the program's entry point does it
    runner.startClock();
    MainWindow window;
    window.show();
    const int code = app.exec();
    return tivoro::bench::finish(code == 0 && runner.ok() ? 0 : 1);
}
