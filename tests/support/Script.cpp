#include "support/Script.h"

#include "common/windowKinds.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
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

} // namespace tivoro::test
