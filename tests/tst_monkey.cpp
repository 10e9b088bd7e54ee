#include "support/ExecAnswerer.h"
#include "support/TestSupport.h"
#include "support/WindowKinds.h"

#include <QAbstractSpinBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <numeric>

#include <signal.h>

using namespace tivoro::test;

namespace {

// Actions per window kind and the seed. TIVORO_MONKEY_ACTIONS raises the
// count for a long run, TIVORO_MONKEY_SEED replays another run, and
// TIVORO_MONKEY_LOG prints the actions even when the run passes.
constexpr int defaultActions = 2500;
constexpr quint32 defaultSeed = 20240611;
// Widgets that the toolkit creates on first use and keeps (the desktop
// widget, for one); anything beyond this is ours and has leaked.
constexpr int leftoverWidgetAllowance = 2;
// A user closes windows too; beyond this many the monkey closes one.
constexpr int maximumOpenWindows = 6;

int actionCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("TIVORO_MONKEY_ACTIONS", &ok);
    return ok && count > 0 ? count : defaultActions;
}

quint32 seed()
{
    bool ok = false;
    const quint32 value = qgetenv("TIVORO_MONKEY_SEED").toUInt(&ok);
    return ok ? value : defaultSeed;
}

// Stands where a person types: digits and signs, letters, other scripts,
// numbers far beyond the int range.
const QStringList sampleTexts = {
    QStringLiteral("0"),           QStringLiteral("-5"),
    QStringLiteral("+17"),         QStringLiteral("150"),
    QStringLiteral("007"),         QStringLiteral("-"),
    QStringLiteral("3.5"),         QStringLiteral("1e9"),
    QStringLiteral("2147483647"),  QStringLiteral("2147483648"),
    QStringLiteral("-2147483649"), QStringLiteral("99999999999999999999999999999999999999"),
    QStringLiteral("abc"),         QStringLiteral("Größe"),
    QStringLiteral("日本語テキスト"), QStringLiteral("Ελληνικά"),
    QStringLiteral("עברית"),       QStringLiteral("مرحبا"),
    QStringLiteral("e\u0301"),     QStringLiteral("\U0001F600"),
};

// The toolkit's own geometry for the part of a slider or scroll bar that a
// user grabs; initStyleOption is protected, the member pointer is not.
struct SliderAccess : QSlider
{
    using QSlider::initStyleOption;
};
struct ScrollBarAccess : QScrollBar
{
    using QScrollBar::initStyleOption;
};

QRect handleRect(QAbstractSlider *control)
{
    QStyleOptionSlider option;
    if (auto *slider = qobject_cast<QSlider *>(control)) {
        void (QSlider::*init)(QStyleOptionSlider *) const = &SliderAccess::initStyleOption;
        (slider->*init)(&option);
        return control->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, control);
    }
    if (auto *bar = qobject_cast<QScrollBar *>(control)) {
        void (QScrollBar::*init)(QStyleOptionSlider *) const = &ScrollBarAccess::initStyleOption;
        (bar->*init)(&option);
        return control->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, control);
    }
    return control->rect();
}

bool takesText(QWidget *w)
{
    return qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QPlainTextEdit *>(w)
           || qobject_cast<QTextEdit *>(w);
}

bool isInteractive(QWidget *w)
{
    return w->focusPolicy() != Qt::NoFocus || w->contextMenuPolicy() == Qt::CustomContextMenu
           || qobject_cast<QMenuBar *>(w) || qobject_cast<QAbstractSlider *>(w);
}

// Window class, then the embedded panels on the way, then the widget.
QString describe(QWidget *w)
{
    QStringList parts;
    for (QWidget *up = w; up; up = up->parentWidget()) {
        const QString className = QLatin1String(up->metaObject()->className());
        if (up->isWindow()) {
            parts.prepend(className);
            break;
        }
        if (up == w || !className.startsWith(QLatin1Char('Q')))
            parts.prepend(up->objectName().isEmpty() ? QLatin1Char('<') + className + QLatin1Char('>')
                                                     : up->objectName());
    }
    return parts.join(QLatin1Char('/'));
}

// A key press can close and delete the window it went to (Escape in a menu
// that deletes itself on close), so the release goes only to a live one.
void sendKey(const QPointer<QWindow> &handle, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text = {})
{
    if (handle)
        QTest::sendKeyEvent(QTest::Press, handle, key, text, modifiers);
    if (handle)
        QTest::sendKeyEvent(QTest::Release, handle, key, text, modifiers);
}

QString quoted(const QString &text)
{
    return text.size() > 40 ? QStringLiteral("%1 characters").arg(text.size())
                            : QLatin1Char('"') + text + QLatin1Char('"');
}

// Fires random user actions at whatever windows are visible, following
// every window that a hand-over or a button opens, and writes down each
// action so that a failure can be understood and replayed.
class Monkey
{
public:
    Monkey(const QString &kind, quint32 seed)
        : m_kind(kind)
        , m_random(seed)
        , m_answerer([this](QWidget *target) { answerExec(target); })
    {
        for (const char *name : {"clip.avi", "clip.mp4", "study.tivoro"}) {
            QFile file(m_files.filePath(QLatin1String(name)));
            if (file.open(QIODevice::WriteOnly))
                m_paths << file.fileName();
        }
        open();
    }

    const QStringList &log() const { return m_log; }
    int stuckModals() const { return m_answerer.stuck(); }

    void act()
    {
        const QList<QWidget *> windows = visibleWindows();
        for (QWidget *window : windows)
            leaveScreenPickerAlone(window);
        if (windows.isEmpty())
            return open();
        if (windows.size() > maximumOpenWindows)
            return closeWindow(windows.at(pick(windows.size())));
        if (QWidget *popup = QApplication::activePopupWidget(); popup && pick(10) < 7)
            return actOnPopup(popup);

        enum Action { LeftClick, RightClick, DoubleClick, Type, Key, SliderDrag, Drag, Resize, Close };
        static const int weights[] = {30, 10, 4, 18, 14, 10, 3, 4, 2};
        int roll = pick(std::accumulate(std::begin(weights), std::end(weights), 0));
        int action = 0;
        while (roll >= weights[action])
            roll -= weights[action++];

        QPointer<QWidget> window = windows.at(pick(windows.size()));
        activate(window);
        if (!window)
            return;
        switch (action) {
        case LeftClick:
        case RightClick:
        case DoubleClick:
            if (QWidget *w = pickWidget(window, isInteractive))
                click(w, action == RightClick ? Qt::RightButton : Qt::LeftButton, action == DoubleClick);
            break;
        case Type:
            type(window);
            break;
        case Key:
            pressKey(window);
            break;
        case SliderDrag:
            if (auto *slider = qobject_cast<QAbstractSlider *>(
                    pickWidget(window, [](QWidget *w) { return qobject_cast<QAbstractSlider *>(w) != nullptr; })))
                drag(slider, handleRect(slider).center());
            break;
        case Drag:
            if (QWidget *w = pickWidget(window, nullptr))
                drag(w, pointIn(w));
            break;
        case Resize:
            resize(window);
            break;
        case Close:
            closeWindow(window);
            break;
        }
    }

private:
    int pick(int n) { return n > 0 ? int(m_random.bounded(n)) : 0; }

    void note(const QString &action) { m_log << action; }

    void open()
    {
        note(QStringLiteral("open %1").arg(m_kind));
        openWindowOfKind(m_kind);
        QCoreApplication::processEvents();
    }

    // In the order they appeared: the toolkit's own list follows memory
    // addresses, which would make a replay pick other windows.
    QList<QWidget *> visibleWindows()
    {
        m_windows.removeAll(nullptr);
        QList<QWidget *> appeared;
        for (QWidget *w : ownWindows()) {
            if (!m_windows.contains(w))
                appeared << w;
        }
        std::sort(appeared.begin(), appeared.end(), [](QWidget *a, QWidget *b) {
            return qstrcmp(a->metaObject()->className(), b->metaObject()->className()) < 0;
        });
        for (QWidget *w : appeared)
            m_windows << w;
        QList<QWidget *> visible;
        for (QWidget *w : m_windows) {
            if (w->isVisible())
                visible << w;
        }
        return visible;
    }

    // The headless platform has no screen pixels for the colour dialog to
    // pick from (the toolkit warns when it tries); a real screen has them.
    static void leaveScreenPickerAlone(QWidget *window)
    {
        if (!qobject_cast<QColorDialog *>(window))
            return;
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            if (button->text() == QColorDialog::tr("&Pick Screen Color"))
                button->setEnabled(false);
        }
    }

    // A person clicks a window before working in it; shortcuts need that.
    static void activate(QWidget *window)
    {
        if (QApplication::activePopupWidget() || QApplication::activeWindow() == window)
            return;
        window->activateWindow();
        QCoreApplication::processEvents();
    }

    // Mostly a control a person would aim at, now and then anything visible.
    QWidget *pickWidget(QWidget *window, bool (*wanted)(QWidget *))
    {
        const bool anyWidget = !wanted || pick(4) == 0;
        QList<QWidget *> found;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() == window && w->isVisible() && w->isEnabled() && (anyWidget || wanted(w))
                && !w->visibleRegion().isEmpty())
                found << w;
        }
        return found.isEmpty() ? nullptr : found.at(pick(found.size()));
    }

    QPoint pointIn(QWidget *w)
    {
        const QRegion region = w->visibleRegion();
        if (region.isEmpty()) // a popup that is not painted yet
            return QPoint(pick(w->width()), pick(w->height()));
        auto rect = region.begin();
        std::advance(rect, pick(region.rectCount()));
        return rect->topLeft() + QPoint(pick(rect->width()), pick(rect->height()));
    }

    void click(QWidget *w, Qt::MouseButton button, bool twice)
    {
        const QPoint at = pointIn(w);
        note(QStringLiteral("%1 %2 at %3,%4")
                 .arg(twice ? QStringLiteral("double click") : button == Qt::RightButton ? QStringLiteral("right click")
                                                                                          : QStringLiteral("left click"),
                      describe(w))
                 .arg(at.x())
                 .arg(at.y()));
        QPointer<QWindow> handle = w->window()->windowHandle();
        const QPoint inWindow = w->mapTo(w->window(), at);
        if (twice)
            QTest::mouseDClick(handle, button, {}, inWindow);
        else
            QTest::mouseClick(handle, button, {}, inWindow);
    }

    // Press, move through a few points (past the widget's ends too) and
    // release; dragging a size grip resizes the window under the pointer,
    // so each point is kept inside the window as it is at that moment.
    void drag(QWidget *w, QPoint from)
    {
        QList<QPoint> path{from};
        for (int i = 1 + pick(4); i > 0; --i)
            path << QPoint(pick(w->width() + 60) - 30, pick(w->height() + 60) - 30);
        QStringList points;
        for (const QPoint &p : path)
            points << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
        note(QStringLiteral("drag %1 through %2").arg(describe(w), points.join(QLatin1Char(' '))));

        const QPointer<QWidget> widget = w;
        const QPointer<QWindow> handle = w->window()->windowHandle();
        QPoint last;
        auto inWindow = [&] {
            return QPoint(qBound(0, last.x(), handle->width() - 1), qBound(0, last.y(), handle->height() - 1));
        };
        for (int i = 0; i < path.size() && handle; ++i) {
            if (widget)
                last = widget->mapTo(widget->window(), path.at(i));
            if (i == 0)
                QTest::mousePress(handle, Qt::LeftButton, {}, inWindow());
            else
                QTest::mouseMove(handle, inWindow());
        }
        if (handle)
            QTest::mouseRelease(handle, Qt::LeftButton, {}, inWindow());
    }

    QString textToType()
    {
        switch (pick(8)) {
        case 0:
            return QString::number(qint64(m_random.generate64() % 2000) - 1000);
        case 1: {
            QString letters;
            for (int i = 1 + pick(12); i > 0; --i)
                letters += QChar(QLatin1Char(char((pick(2) ? 'a' : 'A') + pick(26))));
            return letters;
        }
        case 2:
            // Rarely: a whole page of text at once.
            if (pick(8) == 0)
                return QString(10000, QLatin1Char('7'));
            Q_FALLTHROUGH();
        default:
            return sampleTexts.at(pick(sampleTexts.size()));
        }
    }

    // Types into the focused widget, often after clicking a text field first.
    void type(QWidget *target)
    {
        QPointer<QWidget> window = target;
        if (pick(3) != 0) {
            if (QWidget *field = pickWidget(window, takesText))
                click(field, Qt::LeftButton, false);
        }
        const QString text = textToType();
        if (!window)
            return; // the click closed it
        note(QStringLiteral("type %1 into %2").arg(quoted(text), window->metaObject()->className()));
        QPointer<QWindow> handle = window->windowHandle();
        if (text.size() > 100) {
            // Pasted or committed by an input method: one event.
            sendKey(handle, Qt::Key_unknown, Qt::NoModifier, text);
            return;
        }
        for (int i = 0; i < text.size(); ++i) {
            const int length = text.at(i).isHighSurrogate() ? 2 : 1;
            const QString character = text.mid(i, length);
            i += length - 1;
            const ushort code = character.at(0).unicode();
            const auto key = code > 0x20 && code < 0x7f ? Qt::Key(QChar(code).toUpper().unicode()) : Qt::Key_unknown;
            sendKey(handle, key, Qt::NoModifier, character);
        }
    }

    void pressKey(QWidget *window)
    {
        struct Press
        {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char *name;
        };
        static const Press presses[] = {
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},           {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Escape, Qt::NoModifier, "Escape"},     {Qt::Key_Return, Qt::NoModifier, "Return"},
            {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"},     {Qt::Key_Space, Qt::NoModifier, "Space"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},             {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},         {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},     {Qt::Key_End, Qt::NoModifier, "End"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
        };
        // Tab and the keys that end or confirm dialogs come up most.
        const Press &press = presses[pick(3) == 0 ? pick(int(std::size(presses))) : pick(5)];
        note(QStringLiteral("key %1 in %2").arg(QLatin1String(press.name), window->metaObject()->className()));
        sendKey(window->windowHandle(), press.key, press.modifiers);
    }

    void resize(QWidget *window)
    {
        const QSize size(1 + pick(1600), 1 + pick(1200));
        note(QStringLiteral("resize %1 to %2x%3").arg(window->metaObject()->className()).arg(size.width()).arg(size.height()));
        window->resize(size);
        QCoreApplication::processEvents();
    }

    void closeWindow(QWidget *window)
    {
        note(QStringLiteral("close %1").arg(window->metaObject()->className()));
        window->close();
        QCoreApplication::processEvents();
    }

    // A popup that a click opened (a menu of the menu bar, a combo box list):
    // pick from it with the mouse or the keyboard, or leave it.
    void actOnPopup(QWidget *popup)
    {
        QPointer<QWindow> handle = popup->windowHandle();
        if (pick(2) == 0) {
            const QPoint at = pointIn(popup);
            note(QStringLiteral("left click popup %1 at %2,%3").arg(describe(popup)).arg(at.x()).arg(at.y()));
            QTest::mouseClick(handle, Qt::LeftButton, {}, at);
            return;
        }
        static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape};
        static const char *const names[] = {"Down", "Up", "Left", "Right", "Return", "Escape"};
        const int which = pick(int(std::size(keys)));
        note(QStringLiteral("key %1 in popup %2").arg(QLatin1String(names[which]), describe(popup)));
        sendKey(handle, keys[which], Qt::NoModifier);
    }

    // Dialogs and menus that handlers run with exec(): answered or dismissed.
    void answerExec(QWidget *target)
    {
        if (qobject_cast<QFileDialog *>(target) && pick(2) == 0) {
            QStringList chosen = m_paths.mid(pick(m_paths.size()));
            note(QStringLiteral("  choose %1 file(s) in %2").arg(chosen.size()).arg(describe(target)));
            ModalAnswerer::chooseFiles(chosen)(target);
            return;
        }
        if (auto *menu = qobject_cast<QMenu *>(target)) {
            QList<int> usable;
            for (int i = 0; i < menu->actions().size(); ++i) {
                QAction *action = menu->actions().at(i);
                if (action->isEnabled() && action->isVisible() && !action->isSeparator())
                    usable << i;
            }
            const int choice = pick(usable.size() + 1);
            if (choice < usable.size()) {
                note(QStringLiteral("  choose %1 in %2")
                         .arg(quoted(menu->actions().at(usable.at(choice))->text()), describe(target)));
                ModalAnswerer::chooseMenuEntry(usable.at(choice))(target);
                return;
            }
        }
        note(QStringLiteral("  dismiss %1").arg(describe(target)));
        ModalAnswerer::dismiss()(target);
    }

    QString m_kind;
    QRandomGenerator m_random;
    QStringList m_log;
    QList<QPointer<QWidget>> m_windows;
    QTemporaryDir m_files;
    QStringList m_paths;
    ExecAnswerer m_answerer;
};

// What a crash leaves to go on: the replay command and the actions so far.
QString replayHeader;
const QStringList *runningLog = nullptr;

void printRun(const QString &header, const QStringList &log)
{
    std::fprintf(stderr, "%s\n", qPrintable(header));
    for (int i = 0; i < log.size(); ++i)
        std::fprintf(stderr, "  #%d %s\n", i + 1, qPrintable(log.at(i)));
    std::fflush(stderr);
}

const int fatalSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL};
struct sigaction previousActions[std::size(fatalSignals)];

extern "C" void printRunOnCrash(int signal)
{
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i) {
        if (fatalSignals[i] == signal)
            sigaction(signal, &previousActions[i], nullptr);
    }
    if (runningLog)
        printRun(replayHeader, *runningLog);
    raise(signal);
}

} // namespace

class TestMonkey : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void randomInput_data();
    void randomInput();
};

void TestMonkey::initTestCase()
{
    // After the test library's own handlers, so that ours runs first and
    // then hands the signal on to them.
    struct sigaction action = {};
    action.sa_handler = printRunOnCrash;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i)
        sigaction(fatalSignals[i], &action, &previousActions[i]);
}

void TestMonkey::randomInput_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString &kind : windowKindNames())
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestMonkey::randomInput()
{
    QFETCH(QString, kind);
    const int count = actionCount();
    replayHeader = QStringLiteral("monkey: %1 actions from %2, seed %3; replay with\n"
                                  "  TIVORO_MONKEY_SEED=%3 TIVORO_MONKEY_ACTIONS=%1 tst_monkey randomInput:%2")
                       .arg(count)
                       .arg(kind)
                       .arg(seed());
    qInfo("%s", qPrintable(replayHeader.section(QLatin1Char(';'), 0, 0)));

    closeAllTopLevels();
    const int widgetsBefore = QApplication::allWidgets().size();
    const int warningsBefore = warningCount();
    QString failure;
    {
        Monkey monkey(kind, seed());
        runningLog = &monkey.log();
        for (int i = 0; i < count && failure.isEmpty(); ++i) {
            monkey.act();
            if (warningCount() != warningsBefore)
                failure = QStringLiteral("a toolkit warning appeared");
            else if (monkey.stuckModals() > 0)
                failure = QStringLiteral("a dialog or menu run by a handler did not close when answered");
        }
        closeAllTopLevels();
        if (failure.isEmpty() && liveTopLevelCount() != 0)
            failure = QStringLiteral("%1 windows outlived closing").arg(liveTopLevelCount());
        const int leftover = QApplication::allWidgets().size() - widgetsBefore;
        if (failure.isEmpty() && leftover > leftoverWidgetAllowance)
            failure = QStringLiteral("%1 widgets outlived their windows").arg(leftover);
        if (!failure.isEmpty() || qEnvironmentVariableIsSet("TIVORO_MONKEY_LOG"))
            printRun(replayHeader, monkey.log());
        runningLog = nullptr;
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

TIVORO_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
