#include "support/TestSupport.h"

#include "app/translations.h"
#include "base/openWindow.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSet>
#include <QThread>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tivoro::test {

namespace {

// The toolkit's own texts (QFileDialog, QShortcut, ...) are its catalogue's
// business; every other context is a class of ours.
bool toolkitContext(const char *context)
{
    return context[0] == 'Q' && (QChar::isUpper(context[1]) || context[1] == 't');
}

// The program's catalogue, watched: a lookup it cannot answer in one of our
// contexts is a missing translation. It also gives a text's translations in
// every context looked up, so that checks in English recognise them.
class CheckedCatalogue : public QTranslator
{
public:
    explicit CheckedCatalogue(const QString &language)
        : QTranslator(QCoreApplication::instance())
        , m_language(language)
    {
    }

    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        const QString text = QTranslator::translate(context, source, disambiguation, n);
        if (!context || !source || !*source || toolkitContext(context))
            return text;
        m_contexts.insert(QByteArray(context));
        if (text.isNull())
            qWarning("no %s text for \"%s\" in %s", qPrintable(m_language), source, context);
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
    QString m_language;
    mutable QSet<QByteArray> m_contexts;
};

CheckedCatalogue *catalogue = nullptr;

} // namespace

void installTestLanguage()
{
    const QString language = qEnvironmentVariable("TIVORO_TEST_LANGUAGE");
    if (language.isEmpty())
        return;
    catalogue = new CheckedCatalogue(language);
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

} // namespace tivoro::test
