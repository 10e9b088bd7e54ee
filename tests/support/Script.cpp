#include "support/Script.h"

#include "common/windowKinds.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QKeySequence>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>

#include <memory>

namespace tivoro::test {

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
    QWidget *w = root;
    const QStringList names = path.split(QLatin1Char('/'));
    for (const QString &name : names)
        w = w && name != QLatin1String(".") ? w->findChild<QWidget *>(name) : w;
    return w;
}

// "files PATH,PATH" chooses those in a file dialog; anything else dismisses.
Answer answerFor(const QString &how)
{
    const Answer answer =
        how.startsWith(QLatin1String("files ")) ? chooseFiles(how.mid(6).split(QLatin1Char(','))) : dismiss();
    return [answer](QWidget *target) {
        ++answered;
        answer(target);
    };
}

// A widget's property by name; why not, if the widget has no such property.
QString propertyProblem(const QWidget *w, const QString &property)
{
    if (w->metaObject()->indexOfProperty(qPrintable(property)) >= 0)
        return {};
    return QStringLiteral("%1 \"%2\" has no property \"%3\"")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), property);
}

// The running row, for messages.
QString row()
{
    const char *tag = QTest::currentDataTag();
    return tag ? QStringLiteral("row \"%1\", ").arg(QLatin1String(tag)) : QString();
}

} // namespace

// Plays one step; why it cannot be played, or nothing.
QString playStep(QPointer<QWidget> &root, const QString &step, const std::function<void(const QString &)> &answer)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString path = step.section(QLatin1Char(' '), 1, 1);
    const QString rest = step.section(QLatin1Char(' '), 2);
    if (verb.startsWith(QLatin1Char('@'))) {
        root = nullptr;
        const QList<QWidget *> windows = ownWindows(verb.mid(1));
        for (QWidget *w : windows)
            root = w->isVisible() ? w : root.data();
        return root ? QString() : QStringLiteral("no visible window of that class");
    }
    if (verb == QLatin1String("open")) {
        root = openWindowOfKind(path);
        return root ? QString() : QStringLiteral("no such window kind");
    }
    if (verb == QLatin1String("answer")) {
        answer(step.section(QLatin1Char(' '), 1));
        return {};
    }
    if (!root)
        return QStringLiteral("no window to play it in");
    if (verb == QLatin1String("menu")) {
        const QString choice = step.section(QLatin1Char(' '), 1);
        auto *window = qobject_cast<QMainWindow *>(root);
        const bool chosen = window
            && chooseFromMenuBar(window->menuBar(), choice.section(QLatin1Char('>'), 0, 0),
                                 choice.section(QLatin1Char('>'), 1));
        return chosen ? QString() : QStringLiteral("no such menu entry");
    }
    if (verb == QLatin1String("close")) {
        root->close();
        return {};
    }
    QWidget *w = find(root, path);
    if (!w)
        return QStringLiteral("no widget \"%1\" in %2").arg(path, QLatin1String(root->metaObject()->className()));
    if (verb == QLatin1String("click") || verb == QLatin1String("rclick")) {
        // Through the window, as the platform delivers it: a right click
        // then also brings the context menu request.
        QWidget *window = w->window();
        QTest::mouseClick(window->windowHandle(), verb == QLatin1String("click") ? Qt::LeftButton : Qt::RightButton, {},
                          w->mapTo(window, w->rect().center()));
    } else if (verb == QLatin1String("type")) {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        if (rest.isEmpty())
            QTest::keyClick(w, Qt::Key_Backspace);
        else
            QTest::keyClicks(w, rest);
    } else if (verb == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setText(rest);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
    } else if (verb == QLatin1String("keys")) {
        QTest::keyClicks(w, rest);
    } else if (verb == QLatin1String("key")) {
        if (QKeySequence(rest).isEmpty())
            return QStringLiteral("no such key");
        QTest::keySequence(w, QKeySequence(rest));
    } else if (verb == QLatin1String("call")) {
        const QString slot = rest.section(QLatin1Char(' '), 0, 0);
        const bool withArgument = rest.contains(QLatin1Char(' '));
        const QString signature = slot + (withArgument ? QLatin1String("(bool)") : QLatin1String("()"));
        if (w->metaObject()->indexOfMethod(qPrintable(signature)) < 0)
            return QStringLiteral("%1 has no slot %2").arg(QLatin1String(w->metaObject()->className()), signature);
        if (withArgument)
            QMetaObject::invokeMethod(w, qPrintable(slot), Q_ARG(bool, rest.endsWith(QLatin1String("true"))));
        else
            QMetaObject::invokeMethod(w, qPrintable(slot));
    } else if (verb == QLatin1String("set")) {
        const QString property = rest.section(QLatin1Char(' '), 0, 0);
        const QString problem = propertyProblem(w, property);
        if (!problem.isEmpty())
            return problem;
        if (!w->setProperty(qPrintable(property), rest.section(QLatin1Char(' '), 1)))
            return QStringLiteral("the value does not fit the property");
    } else {
        return QStringLiteral("unknown step");
    }
    return {};
}

QWidget *play(QWidget *start, const QString &steps, const char *file, int line)
{
    QPointer<QWidget> root = start; // a hand-over deletes the window it leaves
    answered = 0;
    const CloseWatcher closeWatcher;
    std::unique_ptr<ExecAnswerer> answerer;
    auto answer = [&answerer](const QString &how) { answerer = std::make_unique<ExecAnswerer>(answerFor(how)); };
    answer({});

    const QStringList lines = steps.split(QRegularExpression(QStringLiteral("[;\n]")));
    int number = 0;
    for (const QString &text : lines) {
        const QString step = text.trimmed();
        if (step.isEmpty())
            continue;
        ++number;
        const QString problem = playStep(root, step, answer);
        if (!problem.isEmpty()) {
            QTest::qFail(qPrintable(row() + QStringLiteral("step %1 \"%2\": %3").arg(number).arg(step, problem)), file,
                         line);
            return root;
        }
        flushDeletions();
    }
    return root;
}

QString mismatches(QWidget *root, const QString &checks)
{
    const QMap<QString, QString> modal = {
        {QStringLiteral("modal.count"), QString::number(answered)},
        {QStringLiteral("windows"), QString::number(visibleTopLevelCount())},
        {QStringLiteral("lonelyCloses"), QString::number(lonelyCloses)},
    };
    QStringList wrong;
    const QStringList parts = checks.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const QString check = part.trimmed();
        const QString lhs = check.section(QLatin1Char('='), 0, 0);
        const int dot = lhs.lastIndexOf(QLatin1Char('.'));
        QWidget *w = root && dot >= 0 ? find(root, lhs.left(dot)) : nullptr;
        const QString property = lhs.mid(dot + 1);
        QString actual, problem;
        if (check.isEmpty())
            continue;
        if (!check.contains(QLatin1Char('=')))
            problem = QStringLiteral("unknown check");
        else if (modal.contains(lhs))
            actual = modal.value(lhs);
        else if (lhs.endsWith(QLatin1Char('#')))
            actual = QString::number(ownWindows(lhs.chopped(1)).size());
        else if (dot < 0 || lhs.startsWith(QLatin1String("modal.")))
            problem = QStringLiteral("unknown check");
        else if (property == QLatin1String("exists"))
            actual = QVariant(w != nullptr).toString();
        else if (!w)
            problem = QStringLiteral("no widget \"%1\"").arg(lhs.left(dot));
        else
            problem = propertyProblem(w, property), actual = w->property(qPrintable(property)).toString();
        if (!problem.isEmpty())
            wrong << check + QLatin1String(": ") + problem;
        else if (!showsText(actual, check.section(QLatin1Char('='), 1)))
            wrong << QStringLiteral("%1: got \"%2\"").arg(check, actual);
    }
    return wrong.isEmpty() ? QString() : row() + wrong.join(QLatin1String("; "));
}

} // namespace tivoro::test
