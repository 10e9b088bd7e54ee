#include "support/TestSupport.h"
#include "support/WindowKinds.h"

#include <QtWidgets>

#include <algorithm>
#include <csignal>
#include <cstdio>

using namespace tivoro::test;

namespace {

QStringList actions; // the first line says how to replay them; clazy:exclude=non-pod-global-static

// Also runs on a crash, which leaves only this to replay the run from.
extern "C" void printRun(int signal)
{
    std::fprintf(stderr, "%s\n", qPrintable(actions.join(QLatin1String("\n  "))));
    if (signal && std::signal(signal, SIG_DFL) != SIG_ERR)
        std::raise(signal);
}

} // namespace

class TestMonkey : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void randomInput_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString &kind : windowKindNames())
            QTest::newRow(qPrintable(kind)) << kind;
    }

    void randomInput()
    {
        QFETCH(QString, kind);
        const int count = qEnvironmentVariableIsSet("TIVORO_MONKEY_ACTIONS")
            ? qEnvironmentVariableIntValue("TIVORO_MONKEY_ACTIONS")
            : 2500;
        const uint seed =
            qEnvironmentVariableIsSet("TIVORO_MONKEY_SEED") ? qgetenv("TIVORO_MONKEY_SEED").toUInt() : 20240611;
        actions = QStringList {
            QStringLiteral("replay: TIVORO_MONKEY_SEED=%1 TIVORO_MONKEY_ACTIONS=%2 tst_monkey randomInput:%3")
                .arg(seed)
                .arg(count)
                .arg(kind)};
        for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS})
            std::signal(s, printRun);
        const int widgetsBefore = QApplication::allWidgets().size(), warningsBefore = warningCount();
        QRandomGenerator random(seed);
        auto pick = [&](int n) { return n > 0 ? int(random.bounded(n)) : 0; };
        QTemporaryDir dir; // what a save writes goes there; what an open reads is missing
        const QStringList paths = {dir.filePath(QStringLiteral("clip.avi")),
                                   dir.filePath(QStringLiteral("study.tivoro"))};
        ExecAnswerer answerer([&](QWidget *modal) { // files, a menu entry (a disabled one is asked again) or Escape
            const int choice = pick(modal->actions().size() + 2);
            actions << QStringLiteral("  answer %1 with %2")
                           .arg(QLatin1String(modal->metaObject()->className()))
                           .arg(choice);
            (qobject_cast<QFileDialog *>(modal) && choice == 0 ? chooseFiles(paths.mid(pick(paths.size())))
                 : choice < modal->actions().size()            ? chooseMenuEntry(choice)
                                                               : dismiss())(modal);
        });
        const QStringList texts =
            QString::fromUtf8("0|-5|+17|-|3.5|1e9|2147483648|-99999999999999999999|abc|Größe|日本語|مرحبا|\U0001F600")
                .split(QLatin1Char('|'));
        QString failure;
        for (int i = 0; i < count && failure.isEmpty(); ++i) {
            if (visibleTopLevelCount() == 0 && openWindowOfKind(kind))
                actions << QStringLiteral("open %1").arg(kind);
            QList<QWidget *> windows; // in the order they appeared, not by address, so that a seed replays
            const QList<QWidget *> all = ownWindows();
            for (QWidget *w : all) {
                if (!w->property("monkeySeen").isValid())
                    w->setProperty("monkeySeen",
                                   QStringLiteral("%1 %2")
                                       .arg(i, 9, 10, QLatin1Char('0'))
                                       .arg(QLatin1String(w->metaObject()->className())));
                if (w->isVisible())
                    windows << w;
                const QList<QPushButton *> buttons =
                    qobject_cast<QColorDialog *>(w) ? w->findChildren<QPushButton *>() : QList<QPushButton *>();
                for (QPushButton *b : buttons)
                    if (b->text() == QColorDialog::tr("&Pick Screen Color"))
                        b->setEnabled(false); // headless: no pixels, a warning
            }
            std::sort(windows.begin(), windows.end(), [](QWidget *a, QWidget *b) {
                return a->property("monkeySeen").toString() < b->property("monkeySeen").toString();
            });
            QPointer<QWidget> window = windows.value(pick(windows.size()));
            if (QWidget *popup = QApplication::activePopupWidget(); popup && pick(2))
                window = popup; // a combo box list or a menu of the menu bar
            else if (!popup)
                QApplication::setActiveWindow(window); // as a person clicks it first; shortcuts need that
            const QPointer<QWindow> handle = window->windowHandle();
            const QString where = QLatin1String(window->metaObject()->className());
            auto widget = [&](auto wanted) { // mostly one a person would aim at, now and then any
                QList<QWidget *> found {window};
                const QList<QWidget *> children = window->findChildren<QWidget *>();
                for (QWidget *w : children)
                    if (w->window() == window && w->isVisible() && w->isEnabled() && !w->visibleRegion().isEmpty()
                        && (wanted(w) || pick(5) == 0))
                        found << w;
                return found.at(pick(found.size()));
            };
            auto mouse = [&](QWidget *w, Qt::MouseButton button, QPoint from,
                             QPoint to) { // each event checks the window lives
                const auto map = [w](QPoint p) {
                    p = w->mapTo(w->window(), p);
                    return QPoint {qBound(0, p.x(), w->window()->width() - 1),
                                   qBound(0, p.y(), w->window()->height() - 1)};
                };
                from = map(from), to = map(to);
                actions << QStringLiteral("mouse %1 in %2 from %3,%4 to %5,%6")
                               .arg(button)
                               .arg(where)
                               .arg(from.x())
                               .arg(from.y())
                               .arg(to.x())
                               .arg(to.y());
                for (const auto &[step, at] :
                     {std::pair(QTest::MousePress, from), {QTest::MouseMove, to}, {QTest::MouseRelease, to}})
                    if (handle)
                        QTest::mouseEvent(step, handle, button, {}, at);
            };
            auto click = [&](QWidget *w, Qt::MouseButton button) {
                const QPoint at {pick(w->width()), pick(w->height())};
                mouse(w, button, at, at);
            };
            auto key = [&](Qt::Key code, Qt::KeyboardModifiers mods, const QString &text) {
                for (QTest::KeyAction step : {QTest::Press, QTest::Release})
                    if (handle)
                        QTest::sendKeyEvent(step, handle, code, text, mods);
            };
            const int roll = windows.size() > 6 ? 39 : pick(40); // a user closes windows too
            if (roll < 16) {
                click(widget([](QWidget *w) { return w->focusPolicy() != Qt::NoFocus; }),
                      roll < 12 ? Qt::LeftButton : Qt::RightButton);
            } else if (roll < 24) {
                if (pick(3))
                    click(widget([](QWidget *w) {
                              return qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w);
                          }),
                          Qt::LeftButton);
                const QString text = !pick(40) ? QString(10000, QLatin1Char('7'))
                    : pick(3)                  ? texts.at(pick(texts.size()))
                                               : QString::number(qint64(random.generate64()) >> pick(64));
                actions << QStringLiteral("type %1 characters into %2: %3").arg(text.size()).arg(where, text.left(30));
                for (int c = 0, n = 0; c < text.size(); c += n) { // a long text is pasted: one event
                    n = text.size() > 100 ? text.size() : 1 + text.at(c).isHighSurrogate();
                    key(n == 1 && text.at(c) > QLatin1Char(' ') && text.at(c).unicode() < 0x7f
                            ? Qt::Key(text.at(c).toUpper().unicode())
                            : Qt::Key_unknown,
                        {}, text.mid(c, n));
                }
            } else if (roll < 32) {
                const QKeySequence chosen =
                    QList<QKeySequence> {Qt::Key_Tab,    Qt::SHIFT | Qt::Key_Backtab, Qt::Key_Escape,
                                         Qt::Key_Return, Qt::CTRL | Qt::Key_S,        Qt::Key_Space}
                        .at(pick(6));
                actions << QStringLiteral("key %1 in %2").arg(chosen.toString(), where);
                key(Qt::Key(chosen[0] & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(chosen[0] & Qt::KeyboardModifierMask), {});
            } else if (roll < 36) { // from about the handle to anywhere, past the ends too
                if (auto *s = qobject_cast<QAbstractSlider *>(
                        widget([](QWidget *w) { return qobject_cast<QAbstractSlider *>(w) != nullptr; }))) {
                    const bool across = s->orientation() == Qt::Horizontal;
                    const int along = QStyle::sliderPositionFromValue(s->minimum(), s->maximum(), s->value(),
                                                                      across ? s->width() : s->height(), !across);
                    mouse(s, Qt::LeftButton, across ? QPoint(along, s->height() / 2) : QPoint(s->width() / 2, along),
                          {pick(s->width() + 60) - 30, pick(s->height() + 60) - 30});
                }
            } else if (roll < 39) {
                window->resize(QSize {1 + pick(1600), 1 + pick(1200)});
                actions << QStringLiteral("resize %1 to %2x%3").arg(where).arg(window->width()).arg(window->height());
            } else {
                actions << QStringLiteral("close %1").arg(where);
                window->close();
            }
            QCoreApplication::processEvents();
            if (warningCount() != warningsBefore || answerer.stuck() > 0)
                failure = QStringLiteral("a toolkit warning, or a modal that did not close when answered");
        }
        closeAllTopLevels();
        const int leftover =
            QApplication::allWidgets().size() - widgetsBefore; // the toolkit keeps a few it made on first use
        if (failure.isEmpty() && (liveTopLevelCount() != 0 || leftover > 2))
            failure =
                QStringLiteral("%1 windows and %2 widgets outlived closing").arg(liveTopLevelCount()).arg(leftover);
        if (!failure.isEmpty())
            printRun(0);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

TIVORO_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
