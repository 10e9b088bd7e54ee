#include "support/Script.h"

#include "support/TestSupport.h"
#include "support/WindowKinds.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <memory>

namespace tivoro::test {

namespace {

// What the last modal dialog or popup menu showed, for the modal.* checks.
struct Shown
{
    QString caption, directory, filters, entries;
    int count = 0;
    bool atPointer = false;
};

Shown &shown()
{
    static Shown last;
    return last;
}

QPoint lastClick; // on screen

int lonelyCloses = 0;

// Hand-overs show the next window before closing their own; this counts
// closes that left no other window visible, however briefly.
class CloseWatcher : public QObject
{
public:
    CloseWatcher()
    {
        lonelyCloses = 0;
        qApp->installEventFilter(this);
    }
    ~CloseWatcher() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Dialogs with a parent (file dialogs) come and go over their window.
        if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()
            && !static_cast<QWidget *>(watched)->parentWidget() && visibleTopLevelCount() <= 1)
            ++lonelyCloses;
        return false;
    }
};

QWidget *find(QWidget *root, const QString &path)
{
    if (path == QLatin1String("."))
        return root;
    QWidget *w = root;
    const QStringList names = path.split(QLatin1Char('/'));
    for (const QString &name : names) {
        w = w ? w->findChild<QWidget *>(name) : nullptr;
    }
    return w;
}

void remember(QWidget *target)
{
    Shown &last = shown();
    last.caption = target->windowTitle();
    last.directory.clear();
    last.filters.clear();
    last.entries.clear();
    ++last.count;
    if (auto *dialog = qobject_cast<QFileDialog *>(target)) {
        last.directory = dialog->directory().absolutePath();
        last.filters = dialog->nameFilters().join(QLatin1Char(','));
    }
    if (auto *menu = qobject_cast<QMenu *>(target)) {
        QStringList texts;
        const QList<QAction *> entries = menu->actions();
        for (QAction *a : entries)
            texts << a->text();
        last.entries = texts.join(QLatin1Char(','));
        // At the pointer, moved only as far as the screen's edges ask (the
        // test screen is small, and a translated menu wider).
        const QRect screen = menu->screen()->availableGeometry();
        const QPoint fitted(qMin(lastClick.x(), screen.right() + 1 - menu->width()),
                            qMin(lastClick.y(), screen.bottom() + 1 - menu->height()));
        last.atPointer = menu->pos() == fitted;
    }
}

Answer answerFor(const QString &how)
{
    const QString kind = how.section(QLatin1Char(' '), 0, 0);
    const QString arg = how.section(QLatin1Char(' '), 1);
    Answer answer = dismiss();
    if (kind == QLatin1String("files"))
        answer = chooseFiles(arg.split(QLatin1Char(',')));
    else if (kind == QLatin1String("entry"))
        answer = chooseMenuEntry(arg.toInt());
    return [answer](QWidget *target) {
        remember(target);
        answer(target);
    };
}

// Expected texts are written in English; lists (modal.entries) item by item.
bool showsCheckedText(const QString &actual, const QString &expected)
{
    if (showsText(actual, expected))
        return true;
    const QStringList shownItems = actual.split(QLatin1Char(','));
    const QStringList expectedItems = expected.split(QLatin1Char(','));
    if (expectedItems.size() < 2 || shownItems.size() != expectedItems.size())
        return false;
    for (int i = 0; i < shownItems.size(); ++i) {
        if (!showsText(shownItems.at(i), expectedItems.at(i)))
            return false;
    }
    return true;
}

QWidget *visibleWindowOf(const QString &className)
{
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        if (w->isVisible() && QLatin1String(w->metaObject()->className()) == className)
            return w;
    }
    return nullptr;
}

QWidget *fail(const QString &step, QWidget *root)
{
    QTest::qFail(qPrintable(QStringLiteral("cannot play step: ") + step), __FILE__, __LINE__);
    return root;
}

} // namespace

QWidget *play(QWidget *start, const QString &steps)
{
    QPointer<QWidget> root = start; // a hand-over deletes the window it leaves
    shown() = Shown();
    const CloseWatcher closeWatcher;
    std::unique_ptr<ExecAnswerer> answerer;
    auto answer = [&answerer](const QString &how) { answerer = std::make_unique<ExecAnswerer>(answerFor(how)); };
    answer(QStringLiteral("dismiss"));

    const QStringList lines = steps.split(QRegularExpression(QStringLiteral("[;\n]")));
    for (const QString &line : lines) {
        const QString step = line.trimmed();
        if (step.isEmpty())
            continue;
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString path = step.section(QLatin1Char(' '), 1, 1);
        const QString rest = step.section(QLatin1Char(' '), 2);
        QWidget *w = root ? find(root, path) : nullptr;
        if (verb.startsWith(QLatin1Char('@'))) {
            if (!(root = visibleWindowOf(verb.mid(1))))
                return fail(step, root);
        } else if (verb == QLatin1String("open")) {
            if (!(root = openWindowOfKind(path)))
                return fail(step, root);
        } else if (verb == QLatin1String("answer")) {
            answer(step.section(QLatin1Char(' '), 1));
        } else if (verb == QLatin1String("menu")) {
            const QString choice = step.section(QLatin1Char(' '), 1);
            auto *window = qobject_cast<QMainWindow *>(root);
            if (!window
                || !chooseFromMenuBar(window->menuBar(), choice.section(QLatin1Char('>'), 0, 0),
                                      choice.section(QLatin1Char('>'), 1)))
                return fail(step, root);
        } else if (verb == QLatin1String("close") && root) {
            root->close();
        } else if (!w) {
            return fail(step, root);
        } else if (verb == QLatin1String("click") || verb == QLatin1String("rclick")) {
            // Through the window, as the platform delivers it: a right click
            // then also brings the context menu request.
            QWidget *window = w->window();
            lastClick = w->mapToGlobal(w->rect().center());
            QTest::mouseClick(window->windowHandle(), verb == QLatin1String("click") ? Qt::LeftButton : Qt::RightButton,
                              {}, w->mapTo(window, w->rect().center()));
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
        } else if (verb == QLatin1String("call")) {
            const bool ok = rest.contains(QLatin1Char(' '))
                ? QMetaObject::invokeMethod(w, qPrintable(rest.section(QLatin1Char(' '), 0, 0)),
                                            Q_ARG(bool, rest.endsWith(QLatin1String("true"))))
                : QMetaObject::invokeMethod(w, qPrintable(rest));
            if (!ok)
                return fail(step, root);
        } else if (verb == QLatin1String("key")) {
            const QKeySequence keys(rest);
            for (int i = 0; i < int(keys.count()); ++i) {
                const int k = int(keys[uint(i)]);
                QTest::keyClick(w, Qt::Key(k & ~Qt::KeyboardModifierMask),
                                Qt::KeyboardModifiers(k & Qt::KeyboardModifierMask));
            }
        } else if (verb == QLatin1String("set")) {
            const QString property = rest.section(QLatin1Char(' '), 0, 0);
            w->setProperty(qPrintable(property), rest.section(QLatin1Char(' '), 1));
        } else {
            return fail(step, root);
        }
        flushDeletions();
    }
    return root;
}

QString mismatches(QWidget *root, const QString &checks)
{
    QStringList wrong;
    const QStringList parts = checks.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const QString check = part.trimmed();
        if (check.isEmpty())
            continue;
        const QString lhs = check.section(QLatin1Char('='), 0, 0);
        const QString expected = check.section(QLatin1Char('='), 1);
        QString actual;
        if (lhs == QLatin1String("windows")) {
            actual = QString::number(visibleTopLevelCount());
        } else if (lhs == QLatin1String("lonelyCloses")) {
            actual = QString::number(lonelyCloses);
        } else if (lhs.endsWith(QLatin1Char('#'))) {
            int n = 0;
            const QList<QWidget *> windows = ownWindows();
            for (QWidget *w : windows)
                n += QLatin1String(w->metaObject()->className()) == lhs.chopped(1);
            actual = QString::number(n);
        } else if (lhs.startsWith(QLatin1String("modal."))) {
            const QString what = lhs.mid(6);
            const Shown &last = shown();
            actual = what == QLatin1String("caption") ? last.caption
                : what == QLatin1String("directory")  ? last.directory
                : what == QLatin1String("filters")    ? last.filters
                : what == QLatin1String("entries")    ? last.entries
                : what == QLatin1String("atPointer")  ? QVariant(last.atPointer).toString()
                                                      : QString::number(last.count);
        } else {
            const int dot = lhs.lastIndexOf(QLatin1Char('.'));
            QWidget *w = root ? find(root, lhs.left(dot)) : nullptr;
            const QString property = lhs.mid(dot + 1);
            if (property == QLatin1String("exists"))
                actual = QVariant(w != nullptr).toString();
            else
                actual = w ? w->property(qPrintable(property)).toString() : QStringLiteral("<no widget>");
        }
        if (!showsCheckedText(actual, expected))
            wrong << QStringLiteral("%1: got \"%2\"").arg(check, actual);
    }
    return wrong.join(QLatin1String("; "));
}

} // namespace tivoro::test
