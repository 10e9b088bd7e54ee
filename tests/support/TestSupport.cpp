#include "support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace tivoro::test {

namespace {

QtMessageHandler previousHandler = nullptr;
bool guardInstalled = false;
int warnings = 0;

// The offscreen platform plugin reports window operations it cannot do;
// that is the platform talking, not the program.
bool isPlatformNotice(const QString &message)
{
    return message.startsWith(QLatin1String("This plugin does not support"));
}

void guardMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) && !isPlatformNotice(message)) {
        ++warnings;
        if (QTest::currentTestFunction()) {
            const QByteArray text = "toolkit message: " + message.toLocal8Bit();
            QTest::qFail(text.constData(), context.file ? context.file : __FILE__, context.line);
        }
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void GuardedTest::init()
{
    // Installed inside the run, so that QtTest's own handler (which the run
    // installs first) still logs every message after ours has looked at it.
    if (!guardInstalled) {
        previousHandler = qInstallMessageHandler(guardMessages);
        guardInstalled = true;
    }
}

void GuardedTest::cleanup()
{
    closeAllTopLevels();
}

int warningCount()
{
    return warnings;
}

ModalAnswerer::ModalAnswerer(Answer answer, int timeoutMs)
    : m_answer(std::move(answer))
    , m_remainingPolls(timeoutMs / 10)
{
    auto *timer = new QTimer(this);
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, [this, timer] {
        if (!m_report.seen) {
            poll();
            if (!m_report.seen && --m_remainingPolls <= 0)
                timer->stop();
            return;
        }
        // An answer that did not close its dialog would leave the test
        // hanging inside exec(): close it and let the test see that.
        if (!m_target || !m_target->isVisible() || ++m_pollsSinceAnswer < 200) {
            if (!m_target || !m_target->isVisible())
                timer->stop();
            return;
        }
        m_report.stuck = true;
        m_target->close();
        timer->stop();
    });
    timer->start();
}

void ModalAnswerer::poll()
{
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::activeModalWidget();
    if (!target || !target->isVisible())
        return;
    m_report.seen = true;
    m_report.className = QString::fromLatin1(target->metaObject()->className());
    m_report.caption = target->windowTitle();
    m_report.modal = target->isModal();
    if (auto *dialog = qobject_cast<QFileDialog *>(target)) {
        m_report.directory = dialog->directory().absolutePath();
        m_report.nameFilters = dialog->nameFilters();
    }
    if (auto *menu = qobject_cast<QMenu *>(target)) {
        for (QAction *action : menu->actions())
            m_report.entries << action->text();
        m_report.position = menu->pos();
    }
    m_target = target;
    m_answer(target);
}

ModalAnswerer::Answer ModalAnswerer::dismiss()
{
    return [](QWidget *target) { QTest::keyClick(target, Qt::Key_Escape); };
}

ModalAnswerer::Answer ModalAnswerer::chooseFiles(const QStringList &paths)
{
    return [paths](QWidget *target) {
        auto *dialog = qobject_cast<QFileDialog *>(target);
        if (!dialog) {
            QTest::keyClick(target, Qt::Key_Escape);
            return;
        }
        QStringList quoted;
        for (const QString &path : paths)
            quoted << QLatin1Char('"') + path + QLatin1Char('"');
        // selectFile() leaves a focused name field alone; type into it instead.
        if (auto *nameField = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            nameField->setText(quoted.join(QLatin1Char(' ')));
        else
            dialog->selectFile(quoted.join(QLatin1Char(' ')));
        // done() skips the dialog's own checks, which race with its
        // directory model loading in the background.
        static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
    };
}

ModalAnswerer::Answer ModalAnswerer::chooseMenuEntry(int index)
{
    return [index](QWidget *target) {
        auto *menu = qobject_cast<QMenu *>(target);
        if (!menu || index < 0 || index >= menu->actions().size()) {
            QTest::keyClick(target, Qt::Key_Escape);
            return;
        }
        menu->setActiveAction(menu->actions().at(index));
        QTest::keyClick(menu, Qt::Key_Return);
    };
}

bool chooseFromMenuBar(QMenuBar *bar, const QString &menuTitle, const QString &entryText)
{
    for (QAction *title : bar->actions()) {
        if (title->text() != menuTitle || !title->menu())
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QMenu *menu = title->menu();
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return false;
        for (QAction *entry : menu->actions()) {
            if (entry->text() == entryText) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
                return true;
            }
        }
        menu->close();
        return false;
    }
    return false;
}

void flushDeletions()
{
    // Deferred deletions run only from the loop level that posted them or
    // an outer one; sendPostedEvents with DeferredDelete runs them here.
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QList<QWidget *> ownWindows()
{
    // Menus and combo box popups are windows too, but their parents own them.
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->parentWidget())
            windows << w;
    }
    return windows;
}

int liveTopLevelCount()
{
    return ownWindows().size();
}

int visibleTopLevelCount()
{
    int count = 0;
    for (QWidget *w : ownWindows())
        count += w->isVisible() ? 1 : 0;
    return count;
}

void closeAllTopLevels()
{
    for (QWidget *w : ownWindows()) {
        w->hide();
        w->deleteLater();
    }
    flushDeletions();
}

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static QTemporaryDir runtimeDir; // created 0700, removed at exit
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
}

int runTests(QObject *testObject, int argc, char **argv)
{
    const int failed = QTest::qExec(testObject, argc, argv);
    if (failed == 0 && warnings > 0) {
        std::fprintf(stderr, "FAIL: %d toolkit warning(s) outside the test functions\n", warnings);
        return 1;
    }
    return failed;
}

} // namespace tivoro::test
