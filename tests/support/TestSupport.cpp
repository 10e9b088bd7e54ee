#include "support/TestSupport.h"

#include "app/screenReaderEvents.h"
#include "app/translations.h"
#include "common/windowKinds.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QThread>
#include <QTranslator>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace tivoro::test {

namespace {

// The program's catalogue, watched: a lookup it cannot answer in one of our
// contexts is a missing translation. It also gives a text's translations in
// every context looked up, so that checks in English recognise them.
class CheckedCatalogue : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        const QString text = QTranslator::translate(context, source, disambiguation, n);
        // The toolkit's own contexts (QFileDialog, QShortcut, ...) are its catalogue's business.
        if (!context || !source || !*source || (context[0] == 'Q' && (QChar::isUpper(context[1]) || context[1] == 't')))
            return text;
        m_contexts.insert(QByteArray(context));
        if (text.isNull())
            qWarning("no %s text for \"%s\" in %s", qPrintable(language()), source, context);
        return text;
    }

    QStringList translationsOf(const QString &english) const
    {
        QStringList found;
        for (const QByteArray &context : std::as_const(m_contexts))
            found << QTranslator::translate(context.constData(), english.toUtf8().constData());
        found.removeAll(QString());
        return found;
    }

private:
    mutable QSet<QByteArray> m_contexts;
};

CheckedCatalogue *catalogue = nullptr;

} // namespace

void installTestLanguage()
{
    const QString language = qEnvironmentVariable("TIVORO_TEST_LANGUAGE");
    if (language.isEmpty())
        return;
    catalogue = new CheckedCatalogue(QCoreApplication::instance());
    if (!catalogue->load(tivoro::catalogueFile(language)) || !QCoreApplication::installTranslator(catalogue))
        qFatal("no catalogue for %s", qPrintable(language));
    tivoro::installToolkitCatalogue(language);
    // A user of that language has its formats too.
    QLocale::setDefault(QLocale(language));
}

bool showsText(const QString &shown, const QString &english)
{
    // Only texts the program never looked up, such as typed ones, stand as
    // they are.
    const QStringList translations = catalogue ? catalogue->translationsOf(english) : QStringList();
    return translations.isEmpty() ? shown == english : translations.contains(shown);
}

void GuardedTest::init()
{
    // After QtTest's own handler, which still logs every message.
    guardToolkitMessages([](const QMessageLogContext &context, const QString &message) {
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable("toolkit message: " + message), context.file ? context.file : __FILE__,
                         context.line);
    });
}

void GuardedTest::cleanup()
{
    closeAllTopLevels();
}

QPoint popupPlaceFor(const QWidget *popup, const QPoint &pointer)
{
    const QRect screen = popup->screen()->availableGeometry();
    return {qMin(pointer.x(), screen.right() + 1 - popup->width()),
            qMin(pointer.y(), screen.bottom() + 1 - popup->height())};
}

Answer dismiss()
{
    return [](QWidget *target) { QTest::keyClick(target, Qt::Key_Escape); };
}

Answer chooseFiles(const QStringList &paths)
{
    return [paths](QWidget *target) {
        auto *dialog = qobject_cast<QFileDialog *>(target);
        if (!dialog)
            return dismiss()(target);
        QStringList quoted;
        for (const QString &path : paths)
            quoted << QLatin1Char('"') + path + QLatin1Char('"');
        // selectFile() leaves a focused name field alone: type into it.
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(quoted.join(QLatin1Char(' ')));
        // done() skips the dialog's checks, which race with its directory
        // model loading in the background.
        static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
    };
}

Answer chooseMenuEntry(int index)
{
    return [index](QWidget *target) {
        auto *menu = qobject_cast<QMenu *>(target);
        if (!menu || index < 0 || index >= menu->actions().size())
            return dismiss()(target);
        menu->setActiveAction(menu->actions().at(index));
        QTest::keyClick(menu, Qt::Key_Return);
    };
}

ExecAnswerer::ExecAnswerer(Answer answer)
    : m_answer(std::move(answer))
    , m_outerLevel(QThread::currentThread()->loopLevel())
{
    m_timer.setInterval(2);
    connect(&m_timer, &QTimer::timeout, this, &ExecAnswerer::poll);
    m_timer.start();
}

void ExecAnswerer::poll()
{
    if (QThread::currentThread()->loopLevel() <= m_outerLevel)
        return;
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::activeModalWidget();
    if (!target || !target->isVisible())
        return;
    m_repeats = target == m_last ? m_repeats + 1 : 0;
    m_last = target;
    if (m_repeats >= 50) {
        ++m_stuck;
        target->close();
        return;
    }
    m_answer(target);
}

// A desktop hands the focus back to the window that a closed dialog or menu
// was over; the offscreen platform leaves that to us.
static void refocus()
{
    const QWindow *focus = QGuiApplication::focusWindow();
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        if (w->isVisible() && !(focus && focus->isVisible())) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            return;
        }
    }
}

void pressKeys(const QString &keys, const QString &text)
{
    const QStringList strokes = keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &stroke : strokes) {
        const QKeySequence sequence(stroke.section(QLatin1Char('*'), 0, 0));
        const int repeat = stroke.contains(QLatin1Char('*')) ? stroke.section(QLatin1Char('*'), 1).toInt() : 1;
        QVERIFY2(sequence.count() == 1 && repeat > 0, qPrintable(stroke));
        const int combined = int(sequence[0]);
        const auto modifiers = Qt::KeyboardModifiers(combined & Qt::KeyboardModifierMask);
        auto key = Qt::Key(combined & ~Qt::KeyboardModifierMask);
        if (key == Qt::Key_Tab && modifiers & Qt::ShiftModifier)
            key = Qt::Key_Backtab; // as the platform reports it
        for (int i = 0; i < repeat; ++i) {
            refocus();
            for (QTest::KeyAction action : {QTest::Press, QTest::Release}) {
                if (QWindow *window = QGuiApplication::focusWindow())
                    QTest::sendKeyEvent(action, window, key, QString(), modifiers);
            }
        }
    }
    if (!text.isEmpty())
        QTest::keyClicks(QApplication::focusWidget(), text);
    refocus();
}

QString panelPath(const QWidget *w)
{
    QString path = w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
    for (w = w->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (!QByteArray(w->metaObject()->className()).startsWith('Q'))
            path.prepend(w->objectName() + QLatin1Char('/'));
    }
    return path;
}

QString focusPath()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? panelPath(focus) : QStringLiteral("<none>");
}

QList<QWidget *> ownWindows(const QString &className)
{
    QList<QWidget *> windows;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *w : topLevels) {
        if (!w->parentWidget() && !tivoro::isSpare(w)
            && (className.isEmpty() || QLatin1String(w->metaObject()->className()) == className))
            windows << w;
    }
    return windows;
}

int visibleTopLevelCount()
{
    const QList<QWidget *> windows = ownWindows();
    return int(std::count_if(windows.begin(), windows.end(), [](const QWidget *w) { return w->isVisible(); }));
}

int ownWidgetCount()
{
    const QWidgetList widgets = QApplication::allWidgets();
    return int(std::count_if(widgets.begin(), widgets.end(), [](QWidget *w) {
        while (w->parentWidget()) // a spare's menus are windows of their own, below it
            w = w->parentWidget();
        return !tivoro::isSpare(w);
    }));
}

void closeAllTopLevels()
{
    tivoro::dropSpares();
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        w->hide();
        w->deleteLater();
    }
    flushDeletions();
}

int runTests(QObject *testObject, int argc, char **argv)
{
    const int failed = QTest::qExec(testObject, argc, argv);
    if (failed == 0 && toolkitWarningCount() > 0) {
        std::fprintf(stderr, "FAIL: %d toolkit warning(s) outside the test functions\n", toolkitWarningCount());
        return 1;
    }
    return failed;
}

namespace {

int answered = 0; // modal dialogs and popup menus, for modal.count
int lonelyCloses = 0;

// Hand-overs show the next window before closing their own; this counts
// closes that left no other window visible, however briefly. Dialogs with
// a parent (file dialogs) come and go over their window.
struct CloseWatcher : QObject
{
    CloseWatcher() { lonelyCloses = 0, qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        lonelyCloses +=
            event->type() == QEvent::Close && w && w->isWindow() && !w->parentWidget() && visibleTopLevelCount() <= 1;
        return false;
    }
};

QWidget *find(QWidget *root, const QString &path)
{
    const QStringList names = path.split('/');
    for (const QString &name : names)
        root = root && name != "." ? root->findChild<QWidget *>(name) : root;
    return root;
}

// A widget's property by name; why not, if the widget has no such property.
QString propertyProblem(const QWidget *w, const QString &property)
{
    if (w->metaObject()->indexOfProperty(qPrintable(property)) >= 0)
        return {};
    return QString("%1 \"%2\" has no property \"%3\"").arg(w->metaObject()->className(), w->objectName(), property);
}

Answer counted(Answer answer)
{
    return [answer](QWidget *target) {
        ++answered;
        answer(target);
    };
}

// The running row, for messages.
QString row()
{
    const char *tag = QTest::currentDataTag();
    return tag ? QString("row \"%1\", ").arg(tag) : QString();
}

// A click on the menu's title, one on the entry.
bool chooseFromMenuBar(QWidget *root, const QString &title, const QString &entry)
{
    auto *window = qobject_cast<QMainWindow *>(root);
    const QList<QAction *> titles = window ? window->menuBar()->actions() : QList<QAction *>();
    for (QAction *action : titles) {
        QMenu *menu = action->menu();
        if (!menu || !showsText(action->text(), title))
            continue;
        QTest::mouseClick(window->menuBar(), Qt::LeftButton, {}, window->menuBar()->actionGeometry(action).center());
        const QList<QAction *> entries = menu->actions();
        for (QAction *e : entries) {
            if (menu->isVisible() && showsText(e->text(), entry)) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(e).center());
                return true;
            }
        }
        menu->close();
    }
    return false;
}

// Plays one step; why it cannot be played, or nothing.
QString playStep(QPointer<QWidget> &root, const QString &step, std::unique_ptr<ExecAnswerer> &answerer)
{
    const QString verb = step.section(' ', 0, 0), path = step.section(' ', 1, 1), rest = step.section(' ', 2);
    if (verb.startsWith('@')) {
        root = nullptr;
        const QList<QWidget *> windows = ownWindows(verb.mid(1));
        for (QWidget *w : windows)
            root = w->isVisible() ? w : root.data();
        return root ? QString() : "no visible window of that class";
    }
    if (verb == "open") {
        root = openWindowOfKind(path);
        return root ? QString() : "no such window kind";
    }
    if (verb == "answer") { // "files PATH,PATH" chooses those in a file dialog; anything else dismisses
        answerer = std::make_unique<ExecAnswerer>(counted(path == "files" ? chooseFiles(rest.split(',')) : dismiss()));
        return {};
    }
    if (!root)
        return "no window to play it in";
    if (verb == "menu")
        return chooseFromMenuBar(root, step.mid(5).section('>', 0, 0), step.section('>', 1)) ? QString()
                                                                                             : "no such menu entry";
    if (verb == "close") {
        root->close();
        return {};
    }
    QWidget *w = find(root, path);
    if (!w)
        return QString("no widget \"%1\" in %2").arg(path, root->metaObject()->className());
    if (verb == "click" || verb == "rclick") {
        // Through the window, as the platform delivers it: a right click
        // then also brings the context menu request.
        QTest::mouseClick(w->window()->windowHandle(), verb == "click" ? Qt::LeftButton : Qt::RightButton, {},
                          w->mapTo(w->window(), w->rect().center()));
    } else if (verb == "type" || verb == "paste") {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        if (verb == "paste") {
            QGuiApplication::clipboard()->setText(rest);
            QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        } else if (rest.isEmpty())
            QTest::keyClick(w, Qt::Key_Backspace);
        else
            QTest::keyClicks(w, rest);
    } else if (verb == "keys") {
        QTest::keyClicks(w, rest);
    } else if (verb == "key") {
        if (QKeySequence(rest).isEmpty())
            return "no such key";
        QTest::keySequence(w, QKeySequence(rest));
    } else if (verb == "call") {
        const QString slot = rest.section(' ', 0, 0), signature = slot + (rest.contains(' ') ? "(bool)" : "()");
        if (w->metaObject()->indexOfMethod(qPrintable(signature)) < 0)
            return QString("%1 has no slot %2").arg(w->metaObject()->className(), signature);
        if (rest.contains(' '))
            QMetaObject::invokeMethod(w, qPrintable(slot), Q_ARG(bool, rest.endsWith("true")));
        else
            QMetaObject::invokeMethod(w, qPrintable(slot));
    } else if (verb == "set") {
        const QString property = rest.section(' ', 0, 0), problem = propertyProblem(w, property);
        if (!problem.isEmpty())
            return problem;
        if (!w->setProperty(qPrintable(property), rest.section(' ', 1)))
            return "the value does not fit the property";
    } else {
        return "unknown step";
    }
    return {};
}

} // namespace

QWidget *play(QWidget *start, const QString &steps, const char *file, int line)
{
    QPointer<QWidget> root = start; // a hand-over deletes the window it leaves
    answered = 0;
    const CloseWatcher closeWatcher;
    auto answerer = std::make_unique<ExecAnswerer>(counted(dismiss()));
    const QStringList lines = QString(steps).replace('\n', ';').split(';', Qt::SkipEmptyParts);
    for (int number = 1; number <= lines.size(); ++number) {
        const QString step = lines[number - 1].trimmed();
        const QString problem = step.isEmpty() ? QString() : playStep(root, step, answerer);
        if (!problem.isEmpty()) {
            QTest::qFail(qPrintable(row() + QString("step %1 \"%2\": %3").arg(number).arg(step, problem)), file, line);
            return root;
        }
        flushDeletions();
    }
    return root;
}

QString mismatches(QWidget *root, const QString &checks)
{
    const QMap<QString, QString> counts = {{"modal.count", QString::number(answered)},
                                           {"windows", QString::number(visibleTopLevelCount())},
                                           {"lonelyCloses", QString::number(lonelyCloses)}};
    QStringList wrong;
    const QStringList parts = checks.split(';');
    for (const QString &part : parts) {
        const QString check = part.trimmed(), lhs = check.section('=', 0, 0);
        const int dot = lhs.lastIndexOf('.');
        QWidget *w = root && dot >= 0 ? find(root, lhs.left(dot)) : nullptr;
        const QString property = lhs.mid(dot + 1);
        QString actual, problem;
        if (check.isEmpty())
            continue;
        if (!check.contains('='))
            problem = "unknown check";
        else if (counts.contains(lhs))
            actual = counts.value(lhs);
        else if (lhs.endsWith('#'))
            actual = QString::number(ownWindows(lhs.chopped(1)).size());
        else if (dot < 0 || lhs.startsWith("modal."))
            problem = "unknown check";
        else if (property == "exists")
            actual = QVariant(w != nullptr).toString();
        else if (!w)
            problem = QString("no widget \"%1\"").arg(lhs.left(dot));
        else
            problem = propertyProblem(w, property), actual = w->property(qPrintable(property)).toString();
        if (!problem.isEmpty())
            wrong << check + ": " + problem;
        else if (!showsText(actual, check.section('=', 1)))
            wrong << QString("%1: got \"%2\"").arg(check, actual);
    }
    return wrong.isEmpty() ? QString() : row() + wrong.join("; ");
}

void listenAsScreenReader(QAccessible::UpdateHandler hear)
{
    if (hear)
        tivoro::mendScreenReaderEvents(hear);
    else
        QAccessible::installUpdateHandler(nullptr);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(hear != nullptr);
}

} // namespace tivoro::test
