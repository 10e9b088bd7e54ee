#pragma once

#include "common/headless.h"
#include "common/messageGuard.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace tivoro::test {

// Base of every test class: a toolkit warning fails the running test; cleanup() deletes every window.
class GuardedTest : public QObject
{
    Q_OBJECT

protected Q_SLOTS:
    void init();
    void cleanup();
};

using tivoro::flushDeletions;
using tivoro::toolkitWarningCount;

// With TIVORO_TEST_LANGUAGE set ("de"), loads the catalogues as main does for
// that language; a text of ours the catalogue lacks is a warning (a failure).
void installTestLanguage();

// Whether `shown` is `english` as the user sees it: in a run with a test
// language, its translation as the program looked it up.
bool showsText(const QString &shown, const QString &english);

// Where a popup of `popup`'s size opens when asked for at global `pointer`.
QPoint popupPlaceFor(const QWidget *popup, const QPoint &pointer);

// How to answer a modal dialog or popup menu that a handler runs.
using Answer = std::function<void(QWidget *)>;
Answer dismiss(); // Escape
Answer chooseFiles(const QStringList &paths); // file dialogs
Answer chooseMenuEntry(int index); // popup menus

// Answers, while it lives, every modal dialog and popup menu run with exec();
// one that does not close when answered is closed by force and counted.
class ExecAnswerer : public QObject
{
public:
    explicit ExecAnswerer(Answer answer);
    int stuck() const { return m_stuck; }

private:
    void poll();

    Answer m_answer;
    int m_outerLevel;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_repeats = 0;
    int m_stuck = 0;
};

// Presses keys as a keyboard does, each press and release to the window
// with the focus at that moment: "Tab Shift+Tab*3 Menu", then types `text`.
void pressKeys(const QString &keys, const QString &text = QString());

// A widget's object name (else its class) after those of our panels around
// it ("cameraSettings1/heightSlider"); and the focus's.
QString panelPath(const QWidget *w);
QString focusPath();

// Parentless windows and dialogs, not windows built ahead: all, or all of
// one class; how many are visible; how many widgets live outside spares.
QList<QWidget *> ownWindows(const QString &className = QString());
int visibleTopLevelCount();
int ownWidgetCount();
void closeAllTopLevels();

int runTests(QObject *testObject, int argc, char **argv);

// A screen reader: accessibility switched on, and every event, mended as the
// program mends them for its bridge, handed to `hear`; nullptr switches off.
void listenAsScreenReader(QAccessible::UpdateHandler hear);

// Plays user steps (';' or newline between): click|rclick W, type|paste W
// TEXT (over all), keys W TEXT, key W KEYS, call W SLOT [true|false], set W
// PROPERTY VALUE, menu TITLE>ENTRY, answer files P,P (else Escape), open|@Class,
// close; W is "name", "a/b" or ".". A step it cannot play fails the row at the
// caller's line. Returns the window it ended in.
QWidget *play(QWidget *root, const QString &steps, const char *file = __builtin_FILE(), int line = __builtin_LINE());

// Checks after play(), ';' between: W.property=VALUE (W.exists=false),
// windows=N (visible), Class#=N (live), lonelyCloses=N, modal.count=N; texts
// in English match their translation. Empty when all hold, else what fails.
QString mismatches(QWidget *root, const QString &checks);

} // namespace tivoro::test

// Like QTEST_MAIN; the run also fails on a warning outside the test functions.
#define TIVORO_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        tivoro::prepareHeadless();                                                                                     \
        QApplication app(argc, argv);                                                                                  \
        tivoro::test::installTestLanguage();                                                                           \
        TestClass test;                                                                                                \
        return tivoro::test::runTests(&test, argc, argv);                                                              \
    }

// Plays the steps on a window, then checks; reports the first mismatches.
#define TIVORO_PLAY(root, steps, checks)                                                                               \
    do {                                                                                                               \
        QWidget *end_ = tivoro::test::play((root), (steps));                                                           \
        const QString wrong_ = tivoro::test::mismatches(end_, (checks));                                               \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_));                                                                \
    } while (false)
