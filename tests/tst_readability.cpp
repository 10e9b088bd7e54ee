#include "common/windowKinds.h"
#include "support/TestSupport.h"

#include "app/applicationIcon.h"
#include "base/ScaledPicture.h"
#include "base/pictureOf.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOption>

#include <algorithm>
#include <utility>

using namespace tivoro::test;

namespace {

// The style's own option for a button; initStyleOption is protected, a
// pointer to it taken through a subclass is not.
template <class Button>
QStyleOptionButton optionOf(const Button *button)
{
    struct Open : Button
    {
        using Button::initStyleOption;
    };
    QStyleOptionButton option;
    (button->*&Open::initStyleOption)(&option);
    return option;
}

// A text on screen and the room it is drawn in.
struct Room
{
    QString text;
    QSize needs;
    QRect has;
};

// A label draws its text in its contents rectangle less its margin (framed
// labels indent too; ours have no frame).
Room labelRoom(const QLabel *label)
{
    const int margin = label->margin();
    const QRect has = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const QString text = label->text();
    // A wrapped text takes the lines it needs; only a word too wide fails.
    const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | (label->buddy() ? Qt::TextShowMnemonic : 0);
    return {text, label->fontMetrics().boundingRect(has, flags | Qt::TextExpandTabs, text).size(), has};
}

// A button draws its text beside its icon in its style's contents rectangle;
// a command link's own font and large icon are in the size it asks for.
template <class Button>
Room buttonRoom(const Button *button, QStyle::SubElement contents)
{
    if (qobject_cast<const QCommandLinkButton *>(button)) {
        const QWidget *link = button; // its size hints are protected
        return {button->text(), {link->sizeHint().width(), link->heightForWidth(link->width())}, link->rect()};
    }
    const QStyleOptionButton option = optionOf(button);
    QSize needs = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        needs.rwidth() += button->iconSize().width() + 4;
    return {button->text(), needs, button->style()->subElementRect(contents, &option, button)};
}

Room roomOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return labelRoom(label);
    if (auto *button = qobject_cast<const QPushButton *>(w))
        return buttonRoom(button, QStyle::SE_PushButtonContents);
    if (auto *box = qobject_cast<const QCheckBox *>(w))
        return buttonRoom(box, QStyle::SE_CheckBoxContents);
    if (auto *radio = qobject_cast<const QRadioButton *>(w))
        return buttonRoom(radio, QStyle::SE_RadioButtonContents);
    return {};
}

QString nameOf(const QWidget *w)
{
    return w->window()->metaObject()->className() + QLatin1Char('/') + panelPath(w);
}

// A stretched picture uses every pixel of the screen: scaled straight to the
// device pixels of its area, not blown up from its logical size.
QString blurred(QLabel *label)
{
    const QPixmap picture = label->pixmap(Qt::ReturnByValue);
    if (picture.isNull() || !label->hasScaledContents() || !label->isEnabled())
        return {};
    const QRect area = tivoro::pictureArea(label);
    const QSize pixels = area.size() * label->devicePixelRatioF();
    const QImage sharp = picture.toImage().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (label->grab(area).toImage().convertToFormat(QImage::Format_RGB32)
        == sharp.convertToFormat(QImage::Format_RGB32))
        return {};
    return QString::asprintf("%s: picture is not painted at the %dx%d device pixels of its %dx%d area",
                             qPrintable(nameOf(label)), pixels.width(), pixels.height(), area.width(), area.height());
}

// uic names every widget of a form; the toolkit's own parts (viewports, bar
// containers, spin box editors) are unnamed or qt_*, and may overlap by design.
bool fromForm(const QWidget *w)
{
    return !w->objectName().isEmpty() && !w->objectName().startsWith("qt_");
}

QStringList unreadable(QWidget *window)
{
    QStringList found;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisible()) // such as the other pages of a stacked widget
            continue;
        const Room room = roomOf(w);
        const QString text = QString(room.text).replace('\n', "\\n");
        if (!text.isEmpty() && (room.needs.width() > room.has.width() || room.needs.height() > room.has.height()))
            found << QString::asprintf("%s: text '%s' needs %dx%d px, has %dx%d", qPrintable(nameOf(w)),
                                       qUtf8Printable(text), room.needs.width(), room.needs.height(), room.has.width(),
                                       room.has.height());
        if (auto *label = qobject_cast<QLabel *>(w))
            found << blurred(label);
        if (!fromForm(w))
            continue;
        for (int i = widgets.indexOf(w) + 1; i < widgets.size(); ++i) {
            QWidget *other = widgets.at(i);
            if (other->parent() == w->parent() && other->isVisible() && fromForm(other)
                && w->geometry().intersects(other->geometry()))
                found << QStringLiteral("%1 overlaps %2").arg(nameOf(w), other->objectName());
        }
    }
    found.removeAll(QString());
    return found;
}

qint64 areaOf(const QRegion &region)
{
    qint64 area = 0;
    for (const QRect &r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

// The share of a widget (of a label, its picture) a user sees inside its
// scroll areas, frames and screen; of the graph, wider than any window and
// scrolling sideways, the share of its height.
double shareSeen(QWidget *w, bool heightOnly)
{
    auto *label = qobject_cast<QLabel *>(w);
    const QRect whole = label ? tivoro::pictureArea(label) : w->rect();
    const QRect screen = w->screen()->availableGeometry();
    const QRegion seen = w->visibleRegion() & whole & QRect(w->mapFromGlobal(screen.topLeft()), screen.size());
    if (heightOnly)
        return double(seen.boundingRect().height()) / whole.height();
    // A picture that does not fill its label: the label must show whole.
    const double widgetShare = double(areaOf(w->visibleRegion())) / (w->width() * w->height());
    return qMin(double(areaOf(seen)) / (qint64(whole.width()) * whole.height()), widgetShare);
}

// Controls a screen reader must be able to name: everything a user can
// operate or that takes the focus, the pictures that stand for camera images
// and the graph, and the stacks of pages, which it names as the place the
// focus went to.
bool needsName(QWidget *w)
{
    if (!fromForm(w))
        return false;
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->pixmap(Qt::ReturnByValue).isNull() == false;
    return w->focusPolicy() & Qt::TabFocus || qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSlider *>(w)
        || qobject_cast<QStackedWidget *>(w);
}

struct Heard
{
    QAccessible::Event type;
    QPointer<QObject> object;
    QString name;
    bool focusNow; // the object has the keyboard focus
};
QVector<Heard> &heard()
{
    static QVector<Heard> heard;
    return heard;
}

void hear(QAccessibleEvent *event)
{
    QAccessibleInterface *face = event->accessibleInterface();
    heard().append({event->type(), event->object(), face ? face->text(QAccessible::Name) : QString(),
                    event->object() && event->object() == QApplication::focusWidget()});
}

} // namespace

// At any desktop font every text fits its room, nothing overlaps and the
// pictures stay sharp, at the opening size and larger; work windows open
// showing their pictures whole on a large screen, the first camera on a
// laptop's (CTest runs it at device pixel ratio 2 and on virtual X too).
class TestReadability : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { tivoro::installApplicationIcon(); }
    void everyControlHasAName_data();
    void everyControlHasAName();
    void screenReaderToldWhereFocusWent_data();
    void screenReaderToldWhereFocusWent();
    void readableAtDesktopFonts_data();
    void readableAtDesktopFonts();
    void picturesSeenWhenOpened_data();
    void picturesSeenWhenOpened();
};

void TestReadability::readableAtDesktopFonts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QFont>("font");
    for (const QFont &font :
         {QFont("DejaVu Sans", 8), QFont("DejaVu Sans", 9), QFont("Noto Sans", 10), QFont("DejaVu Sans", 11)}) {
        for (const QString &kind : tivoro::windowKindNames())
            QTest::addRow("%s, %s %d", qPrintable(kind), qPrintable(font.family()), font.pointSize()) << kind << font;
    }
}

void TestReadability::readableAtDesktopFonts()
{
    QFETCH(QString, kind);
    QFETCH(QFont, font);
    QCOMPARE(QFontInfo(font).family(), font.family()); // scripts/deps installs it
    QApplication::setFont(font);

    QWidget *window = tivoro::openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    QCoreApplication::processEvents(); // layout
    QStringList found = unreadable(window);
    window->resize(window->size() * 1.3);
    QCoreApplication::processEvents(); // layout
    const QStringList larger = unreadable(window);
    for (const QString &fault : larger) {
        if (!found.contains(fault))
            found << fault + QStringLiteral(" (at %1x%2)").arg(window->width()).arg(window->height());
    }
    for (const QString &fault : std::as_const(found))
        qInfo().noquote() << fault;
    QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 faults, listed above").arg(found.size())));
}

void TestReadability::picturesSeenWhenOpened_data()
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    if (screen.width() < 1366 || screen.height() < 768) // QSKIP with a message alone upsets -pedantic
        QTest::qSkip("needs a screen of 1366x768 or more (CTest starts virtual ones)", __FILE__, __LINE__);
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QStringList>("press"); // the buttons pressed after opening
    QTest::addColumn<QSize>("designed");
    // holder/label or holder/sliders (the least seen of them), the first
    // camera's picture first
    QTest::addColumn<QStringList>("shown");

    const QStringList cameras = {"cameraSettings1/sceneWidgetPlaceholderLabel",
                                 "cameraSettings2/sceneWidgetPlaceholderLabel"};
    const QStringList panels = cameras + QStringList {"cameraSettings1/sliders", "cameraSettings2/sliders"};
    const QStringList videos = {"stackedWidgetVideos/label_2", "stackedWidgetVideos/label_3"};
    const QString graph = "graph/label";
    for (const QFont &font : {QFont("DejaVu Sans", 9), QFont("Noto Sans", 10)}) {
        const auto row = [&](const char *kind, const char *page, const QStringList &press) -> QTestData & {
            return QTest::addRow("%s %s, %s %d", kind, page, qPrintable(font.family()), font.pointSize())
                << QString(kind) << font << press;
        };
        for (const char *kind : {"SetupRecordingWithMetadata", "AnalyzeVideos"}) {
            row(kind, "cameras", {}) << QSize(947, 642) << cameras;
            row(kind, "videos", {"pushButtonStartStop"}) << QSize(947, 642) << videos;
            row(kind, "cameras with graph", {"pushButtonShowGraph"}) << QSize(947, 642) << panels + QStringList(graph);
            row(kind, "videos with graph", {"pushButtonShowGraph", "pushButtonStartStop"})
                << QSize(947, 642) << videos + QStringList(graph);
        }
        row("SetupRecording", "cameras", {}) << QSize(828, 642) << cameras;
        row("RecordingWindow", "pictures", {})
            << QSize(800, 600) << QStringList({"scrollArea/label", "scrollArea/label_2", "widget/label_3"});
    }
}

void TestReadability::picturesSeenWhenOpened()
{
    QFETCH(QString, kind);
    QFETCH(QFont, font);
    QFETCH(QStringList, press);
    QFETCH(QSize, designed);
    QFETCH(QStringList, shown);
    QCOMPARE(QFontInfo(font).family(), font.family()); // scripts/deps installs it
    QApplication::setFont(font);

    QWidget *window = tivoro::openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (const QString &button : std::as_const(press))
        QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
    QTest::qWait(50); // nested layouts settle over a few rounds of posted events

    const QRect available = window->screen()->availableGeometry();
    const QString sizes = QString::asprintf("window %dx%d on a screen of %dx%d", window->frameGeometry().width(),
                                            window->frameGeometry().height(), available.width(), available.height());
    QVERIFY2(available.contains(window->frameGeometry()), qPrintable(sizes));
    if (available.width() >= designed.width() && available.height() >= designed.height())
        QVERIFY2(window->width() >= designed.width() && window->height() >= designed.height(), qPrintable(sizes));
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY(least.width() <= 1366 && least.height() <= 768); // a laptop can still hold it

    const bool large = available.width() >= 1920 && available.height() >= 1040;
    QStringList report;
    bool enough = true;
    for (const QString &path : std::as_const(shown)) {
        auto *holder = window->findChild<QWidget *>(path.section('/', 0, 0));
        QVERIFY(holder);
        const bool graph = path == QLatin1String("graph/label");
        double share = 1;
        if (path.endsWith("/sliders")) {
            const QList<QSlider *> sliders = holder->findChildren<QSlider *>();
            for (QSlider *slider : sliders)
                share = qMin(share, shareSeen(slider, false));
        } else {
            auto *label = holder->findChild<QLabel *>(path.section('/', 1));
            QVERIFY(label && !tivoro::pictureOf(label).isNull());
            share = shareSeen(label, graph);
        }
        report << QStringLiteral("%1 %2 %").arg(path).arg(qRound(share * 100));
        if (graph)
            enough = enough && share >= 1.0;
        else if (large)
            enough = enough && share >= 0.95;
        else if (path == shown.first())
            enough = enough && share >= 0.75;
    }
    qInfo().noquote() << sizes + ": " + report.join(", ");
    QVERIFY2(enough, qPrintable(report.join(", ")));
}

void TestReadability::everyControlHasAName_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString &kind : tivoro::windowKindNames())
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestReadability::everyControlHasAName()
{
    QFETCH(QString, kind);
    QWidget *window = tivoro::openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QCOMPARE(window->windowIcon().availableSizes(), QList<QSize> {QSize(256, 256)});

    QStringList unnamed;
    int named = 0;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!needsName(w))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        QVERIFY(face);
        if (face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
        else
            ++named;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable("unnamed: " + unnamed.join(", ")));
    QVERIFY(named > 0);

    // What opens a context menu takes the focus, so that keys open it too,
    // says it has a menu, and opens it when assistive technology asks.
    QStringList silent;
    int menus = 0, asked = 0;
    const ExecAnswerer answerer([&menus](QWidget *popup) {
        menus += popup->actions().size() == 6;
        dismiss()(popup);
    });
    for (QWidget *w : widgets) {
        if (w->contextMenuPolicy() != Qt::CustomContextMenu)
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        const QAccessible::State state = face->state();
        QAccessibleActionInterface *actions = face->actionInterface();
        if (!state.focusable || !state.hasPopup || !(w->focusPolicy() & Qt::TabFocus) || !actions
            || !actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()))
            silent << w->objectName();
        else
            actions->doAction(QAccessibleActionInterface::showMenuAction()), ++asked;
        QTRY_COMPARE(menus, asked);
    }
    QVERIFY2(silent.isEmpty(), qPrintable("menu not announced: " + silent.join(", ")));
}

void TestReadability::screenReaderToldWhereFocusWent_data()
{
    QTest::addColumn<QString>("before"); // keys, then text, before the screen reader listens
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("focus"); // where it is told the focus went, in order
    // Fields place their caret as they take the focus; the focus is told first, and once.
    QTest::newRow("Ctrl+Shift+Tab out of the notes") << "Shift+Tab*5"
                                                     << ""
                                                     << "Ctrl+Shift+Tab" << QStringList {"Location"};
    QTest::newRow("through fields with text") << "Shift+Tab*5 Ctrl+Shift+Tab"
                                              << "Hall 2"
                                              << "Shift+Tab Tab" << QStringList {"Group name", "Location"};
    // The next menu's title comes before its entry, and the window's field
    // not while a menu is open.
    QTest::newRow("F10, Right") << ""
                                << ""
                                << "F10 Right" << QStringList {"File", "Tools", "Settings"};
    QTest::newRow("F10, Escape twice") << "Shift+Tab*5"
                                       << ""
                                       << "F10 Escape Escape" << QStringList {"File", "File", "More information"};
}

void TestReadability::screenReaderToldWhereFocusWent()
{
    QFETCH(QString, before);
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QFETCH(QStringList, focus);
    QWidget *window = tivoro::openWindowOfKind("SetupRecordingWithMetadata");
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
    pressKeys(before, text);
    heard().clear();
    const QPointer<QObject> focusBefore = QApplication::focusWidget();
    listenAsScreenReader(hear);
    const auto deaf = qScopeGuard([] { listenAsScreenReader(nullptr); });
    pressKeys(keys);
    QTest::qWait(300); // an entry may follow its menu's title a moment later

    QStringList told, caretFirst;
    QSet<QObject *> focused {focusBefore};
    for (const Heard &h : qAsConst(heard())) {
        if (h.type == QAccessible::Focus) {
            told << h.name;
            focused << h.object;
        } else if ((h.type == QAccessible::TextCaretMoved || h.type == QAccessible::TextSelectionChanged) && h.focusNow
                   && !focused.contains(h.object)) {
            caretFirst << h.name;
        }
    }
    QVERIFY2(told.size() == focus.size()
                 && std::equal(told.cbegin(), told.cend(), focus.cbegin(), tivoro::test::showsText),
             qPrintable("told: " + told.join(", ")));
    QVERIFY2(caretFirst.isEmpty(), qPrintable("caret before focus: " + caretFirst.join(", ")));
}

TIVORO_TEST_MAIN(TestReadability)

#include "tst_readability.moc"
