#pragma once

#include <QApplication>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QtTest>

#include <functional>

class QMenuBar;
class QWidget;

namespace tivoro::test {

// Base of every test class: from the first test function on, any toolkit
// warning or critical message fails the running test. A test class that
// needs init() or cleanup() of its own calls the base's from it.
class GuardedTest : public QObject
{
    Q_OBJECT

protected Q_SLOTS:
    void init();
    void cleanup();
};

// Number of toolkit warnings seen so far, inside tests or not.
int warningCount();

// What a modal dialog or popup menu showed while it was answered.
struct ModalReport
{
    bool seen = false;
    QString className;
    QString caption;     // window title
    QString directory;   // file dialogs: the directory shown
    QStringList nameFilters;
    QStringList entries; // menus: the action texts, in order
    QPoint position;     // menus: where on screen it opened
    bool modal = false;
    bool stuck = false;  // the answer did not close it; it was closed by force
};

// Answers the next modal dialog or popup menu from a timer, so that a
// handler that runs one with exec() can be driven from a test. Create it
// before the click that opens the dialog; it answers at most once.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(QWidget *)>;

    explicit ModalAnswerer(Answer answer, int timeoutMs = 5000);
    const ModalReport &report() const { return m_report; }

    // Ready-made answers.
    static Answer dismiss();                                // Cancel / Escape
    static Answer chooseFiles(const QStringList &paths);    // file dialogs
    static Answer chooseMenuEntry(int index);               // popup menus

private:
    void poll();

    Answer m_answer;
    ModalReport m_report;
    QPointer<QWidget> m_target;
    int m_remainingPolls;
    int m_pollsSinceAnswer = 0;
};

// Opens a menu of the menu bar with a click and clicks one of its entries,
// as a user would. False when the menu or the entry does not exist.
bool chooseFromMenuBar(QMenuBar *bar, const QString &menuTitle, const QString &entryText);

// Runs deferred deletions (deleteLater, delete-on-close) now.
void flushDeletions();

// Parentless top-level widgets (windows and dialogs, not menus or popups)
// that are alive, and those of them that are visible.
QList<QWidget *> ownWindows();
int liveTopLevelCount();
int visibleTopLevelCount();

// The first visible top-level widget of class T, or nullptr.
template <class T>
T *visibleTopLevel()
{
    for (QWidget *w : ownWindows()) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

// All live top-level widgets of class T.
template <class T>
QList<T *> topLevels()
{
    QList<T *> found;
    for (QWidget *w : ownWindows()) {
        if (auto *t = qobject_cast<T *>(w))
            found << t;
    }
    return found;
}

// Closes and deletes every parentless top-level widget, so each test starts
// clean; tests therefore create their windows with new.
void closeAllTopLevels();

// Headless by default, with a private runtime directory where the session
// has none (the toolkit warns otherwise).
void prepareEnvironment();

int runTests(QObject *testObject, int argc, char **argv);

} // namespace tivoro::test

// Like QTEST_MAIN, for a GuardedTest: headless by default, and the run
// fails when a warning appeared even outside a test function.
#define TIVORO_TEST_MAIN(TestClass)                                  \
    int main(int argc, char **argv)                                  \
    {                                                                \
        tivoro::test::prepareEnvironment();                          \
        QApplication app(argc, argv);                                \
        TestClass test;                                              \
        return tivoro::test::runTests(&test, argc, argv);            \
    }
