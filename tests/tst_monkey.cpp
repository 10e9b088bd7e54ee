#include "common/windowKinds.h"
#include "support/TestSupport.h"

#include <QtWidgets>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <utility>

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

int heard = 0; // accessibility events since the screen reader came

void read(QAccessibleInterface *node, bool withChildren)
{
    if (!node || !node->isValid())
        return;
    for (QAccessible::Text text : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
        node->text(text);
    node->role();
    const bool hidden = node->state().invisible;
    node->rect();
    if (QAccessibleTextInterface *text = node->textInterface())
        text->text(0, text->characterCount());
    if (QAccessibleValueInterface *value = node->valueInterface())
        value->currentValue();
    for (int i = 0; withChildren && !hidden && i < node->childCount(); ++i)
        read(node->child(i), true);
}

void onAccessibilityEvent(QAccessibleEvent *event)
{
    ++heard;
    // A destroyed object is gone by now: its event carries no more than that.
    if (event->type() != QAccessible::ObjectDestroyed)
        read(event->accessibleInterface(), false);
    read(QAccessible::queryAccessibleInterface(qApp), true);
}

// A screen reader: accessibility on and, as assistive technology follows a
// program that changes under the user, on every event the event's object and
// the whole live accessible tree read.
void listen(bool on)
{
    heard = 0;
    listenAsScreenReader(on ? onAccessibilityEvent : nullptr);
}

} // namespace

class TestMonkey : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void openAndCloseRepeatedly_data();
    void openAndCloseRepeatedly();
    void randomInput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("screenReader");
        for (const QString &kind : tivoro::windowKindNames()) {
            QTest::newRow(qPrintable(kind)) << kind << false;
            QTest::newRow(qPrintable(kind + ", screen reader")) << kind << true;
        }
    }

    void randomInput()
    {
        QFETCH(QString, kind);
        QFETCH(bool, screenReader);
        // The screen reader walks the whole tree on every event: fewer actions.
        const char *countVariable = screenReader ? "TIVORO_MONKEY_READER_ACTIONS" : "TIVORO_MONKEY_ACTIONS";
        bool set = false;
        int count = qEnvironmentVariableIntValue(countVariable, &set);
        count = set ? count : screenReader ? 300 : 2500;
        const uint seed =
            qEnvironmentVariableIsSet("TIVORO_MONKEY_SEED") ? qgetenv("TIVORO_MONKEY_SEED").toUInt() : 20240611;
        actions = QStringList {QString::asprintf("replay: TIVORO_MONKEY_SEED=%u %s=%d tst_monkey 'randomInput:%s'",
                                                 seed, countVariable, count, QTest::currentDataTag())};
        for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS})
            std::signal(s, printRun);
        const int widgetsBefore = ownWidgetCount(), warningsBefore = toolkitWarningCount();
        QRandomGenerator random(seed + screenReader);
        listen(screenReader);
        const auto deaf = qScopeGuard([] { listen(false); });
        auto pick = [&](int n) { return n > 0 ? int(random.bounded(n)) : 0; };
        QTemporaryDir dir; // what a save writes goes there; what an open reads is missing
        const QStringList paths = {dir.filePath("clip.avi"), dir.filePath("study.tivoro")};
        ExecAnswerer answerer([&](QWidget *modal) { // files, a menu entry (a disabled one is asked again) or Escape
            const int choice = pick(modal->actions().size() + 2);
            actions << QString::asprintf("  answer %s with %d", modal->metaObject()->className(), choice);
            (qobject_cast<QFileDialog *>(modal) && choice == 0 ? chooseFiles(paths.mid(pick(paths.size())))
                 : choice < modal->actions().size()            ? chooseMenuEntry(choice)
                                                               : dismiss())(modal);
        });
        const QStringList texts =
            QString::fromUtf8("0|-5|+17|-|01:02:03:04|3.5|1e9|2147483648|-99999999999999999999|abc|Größe|日本語|"
                              "مرحبا|\U0001F600")
                .split('|');
        QString failure;
        for (int i = 0; i < count && failure.isEmpty(); ++i) {
            if (visibleTopLevelCount() == 0 && tivoro::openWindowOfKind(kind))
                actions << "open " + kind;
            QList<QWidget *> windows; // in the order they appeared, not by address, so that a seed replays
            const QList<QWidget *> all = ownWindows();
            for (QWidget *w : all) {
                if (!w->property("monkeySeen").isValid())
                    w->setProperty("monkeySeen", QString::asprintf("%09d %s", i, w->metaObject()->className()));
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
            const QString where = window->metaObject()->className();
            auto widget = [&](auto wanted) { // mostly one a person would aim at, now and then any
                QList<QWidget *> found {window};
                const QList<QWidget *> children = window->findChildren<QWidget *>();
                for (QWidget *w : children)
                    if (w->window() == window && w->isVisible() && w->isEnabled() && !w->visibleRegion().isEmpty()
                        && (wanted(w) || pick(5) == 0))
                        found << w;
                return found.at(pick(found.size()));
            };
            auto mouse = [&](QWidget *w, Qt::MouseButton button, QPoint from, QPoint to) {
                const auto map = [w](QPoint p) {
                    p = w->mapTo(w->window(), p);
                    return QPoint {qBound(0, p.x(), w->window()->width() - 1),
                                   qBound(0, p.y(), w->window()->height() - 1)};
                };
                from = map(from), to = map(to);
                actions << QString::asprintf("mouse %d in %s from %d,%d to %d,%d", button, qPrintable(where), from.x(),
                                             from.y(), to.x(), to.y());
                for (const auto &[step, at] :
                     {std::pair(QTest::MousePress, from), {QTest::MouseMove, to}, {QTest::MouseRelease, to}})
                    if (handle) // each event checks the window lives
                        QTest::mouseEvent(step, handle, button, {}, at);
            };
            auto click = [&](QWidget *w, Qt::MouseButton button) {
                const QPoint at {pick(w->width()), pick(w->height())};
                mouse(w, button, at, at);
            };
            auto key = [&](Qt::Key code, Qt::KeyboardModifiers mods, const QString &text) {
                // Event by event, each to a window that still lives: what one
                // event sets off (a window closed by the click before, deleted
                // as the next one paints) may end it before the next, and
                // QTest's keys with modifiers do not look.
                const auto send = [&](bool press, int k, Qt::KeyboardModifiers state, const QString &t) {
                    if (handle)
                        QTest::simulateEvent(handle.data(), press, k, state, t, false);
                };
                const std::pair<int, Qt::KeyboardModifiers> down[] = {{Qt::Key_Shift, Qt::ShiftModifier},
                                                                      {Qt::Key_Control, Qt::ControlModifier}};
                Qt::KeyboardModifiers held;
                for (const auto &[modifier, flag] : down) {
                    if (mods & flag)
                        send(true, modifier, std::exchange(held, held | flag), {});
                }
                send(true, code, mods, text);
                send(false, code, mods, text);
                for (const auto &[modifier, flag] : down) {
                    if (mods & flag)
                        send(false, modifier, held &= ~flag, {});
                }
            };
            const int roll = windows.size() > 6 ? 39 : pick(40); // a user closes windows too
            if (roll < 16) {
                click(widget([](QWidget *w) { return w->focusPolicy() != Qt::NoFocus; }),
                      roll < 12 ? Qt::LeftButton : Qt::RightButton);
            } else if (roll < 24) { // mostly as people edit a field: into it, over all, a few keys, on
                const auto editable = [](QWidget *w) {
                    return qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                        || qobject_cast<QPlainTextEdit *>(w);
                };
                if (pick(3))
                    click(widget(editable), Qt::LeftButton);
                QString text = !pick(40) ? QString(10000, '7')
                    : pick(2)            ? QString()
                    : pick(3)            ? texts.at(pick(texts.size()))
                                         : QString::number(qint64(random.generate64()) >> pick(64));
                for (int k = text.isEmpty() ? 1 + pick(3) : 0; k > 0; --k)
                    text += "0123456789-+:.aZ"[pick(16)];
                const bool overAll = pick(2);
                actions << QString("type %1 characters%2 into %3: %4")
                               .arg(text.size())
                               .arg(overAll ? " over all" : "", where, text.left(30));
                if (overAll)
                    key(Qt::Key_A, Qt::ControlModifier, {});
                for (int c = 0, n = 0; c < text.size(); c += n) { // a long text is pasted: one event
                    n = text.size() > 100 ? text.size() : 1 + text.at(c).isHighSurrogate();
                    key(n == 1 && text.at(c) > ' ' && text.at(c).unicode() < 0x7f
                            ? Qt::Key(text.at(c).toUpper().unicode())
                            : Qt::Key_unknown,
                        {}, text.mid(c, n));
                }
                if (const int on = pick(6); on == 0 && window) {
                    click(widget(editable), Qt::LeftButton);
                } else if (on < 5) {
                    actions << QString("  then ") + (on < 3 ? "Tab" : "Shift+Tab");
                    key(on < 3 ? Qt::Key_Tab : Qt::Key_Backtab, on < 3 ? Qt::NoModifier : Qt::ShiftModifier, {});
                }
            } else if (roll < 32) {
                const QList<QKeySequence> keys {Qt::Key_Tab,    Qt::SHIFT | Qt::Key_Backtab, Qt::Key_Escape,
                                                Qt::Key_Return, Qt::CTRL | Qt::Key_S,        Qt::Key_Space,
                                                Qt::Key_Menu,   Qt::SHIFT | Qt::Key_F10};
                const QKeySequence chosen = keys.at(pick(keys.size()));
                actions << QString("key %1 in %2").arg(chosen.toString(), where);
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
                actions << QString("resize %1 to %2x%3").arg(where).arg(window->width()).arg(window->height());
            } else {
                actions << "close " + where;
                window->close();
            }
            QCoreApplication::processEvents();
            if (toolkitWarningCount() != warningsBefore || answerer.stuck() > 0)
                failure = "a toolkit warning, or a modal that did not close when answered";
            const QList<QWidget *> own = ownWindows();
            for (QWidget *w : own) { // a time field that focus left shows a whole time
                const QList<QDateTimeEdit *> edits = w->findChildren<QDateTimeEdit *>();
                for (QDateTimeEdit *edit : edits)
                    if (!edit->hasFocus() && !edit->locale().toDateTime(edit->text(), edit->displayFormat()).isValid())
                        failure = QString("%1 shows \"%2\" after focus left").arg(edit->objectName(), edit->text());
            }
        }
        if (screenReader && failure.isEmpty() && heard == 0)
            failure = "the screen reader heard nothing";
        closeAllTopLevels();
        const int leftover = ownWidgetCount() - widgetsBefore; // the toolkit keeps a few it made on first use
        if (failure.isEmpty() && (ownWindows().size() != 0 || leftover > 2))
            failure = QString("%1 windows and %2 widgets outlived closing").arg(ownWindows().size()).arg(leftover);
        if (!failure.isEmpty())
            printRun(0);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

// Routes a user takes to open and close each window: nothing may be left behind.
void TestMonkey::openAndCloseRepeatedly_data()
{
    QTest::addColumn<QString>("steps");
    QTest::newRow("start window, by Back")
        << "open SetupRecording; click widget/pushButton_2; @RecordingSettings; click pushButton_3;"
           "@MainWindow; click commandLinkButtonOpenProject; close";
    QTest::newRow("settings dialog, from the start window")
        << "open MainWindow; menu Tools>Settings; @Settings; key lineEdit Escape; @MainWindow; close";
    QTest::newRow("colour dialog") << "open Settings; click pushButton_2; @QColorDialog; close; @Settings; close";
    QTest::newRow("add camera dialog")
        << "open SetupRecording; click addCameraPushButton; @AddCamera; click pushButton; @SetupRecording; close";
    QTest::newRow("recording session window")
        << "open MainWindow; click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata;"
           "menu Tools>Settings; @Settings; close; @SetupRecordingWithMetadata; click addCameraPushButton;"
           "@AddCamera; click pushButton_2; @SetupRecordingWithMetadata; click pushButtonShowGraph; close";
    QTest::newRow("video analysis window") << "open MainWindow; click commandLinkButtonAnalyze; @AnalyzeVideos;"
                                              "rclick cameraSettings1/sceneWidgetPlaceholderLabel; close";
    QTest::newRow("camera setup window") << "open RecordingSettings; click pushButton; @SetupRecording; rclick "
                                            "cameraSettings1/sceneWidgetPlaceholderLabel; close";
    QTest::newRow("recording settings dialog")
        << "open SetupRecording; click widget/pushButton_2; @RecordingSettings; key lineEdit Escape";
    QTest::newRow("recording view window") << "open SetupRecording; click widget/pushButton; @RecordingWindow; close";
}

void TestMonkey::openAndCloseRepeatedly()
{
    QFETCH(QString, steps);
    // The first round may create what the toolkit keeps for the whole
    // process (the desktop widget, a file dialog's icon cache).
    play(nullptr, steps);
    const int widgets = ownWidgetCount();
    const int windows = ownWindows().size();

    for (int round = 1; round <= 200; ++round) {
        play(nullptr, steps);
        QVERIFY2(visibleTopLevelCount() == 0, qPrintable(QStringLiteral("round %1 left a window open").arg(round)));
        if (ownWidgetCount() != widgets || ownWindows().size() != windows)
            QFAIL(qPrintable(QString::asprintf("round %d: %d widgets in %d windows, %d in %d before", round,
                                               ownWidgetCount(), int(ownWindows().size()), widgets, windows)));
        // One spare at most of each kind of window, however often it is used.
        const QWidgetList topLevels = QApplication::topLevelWidgets();
        QVERIFY(std::count_if(topLevels.begin(), topLevels.end(), tivoro::isSpare) <= 8);
    }
}

TIVORO_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
