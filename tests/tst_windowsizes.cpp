#include "support/TestSupport.h"
#include "support/WindowKinds.h"

#include "panels/ScaledPicture.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

using namespace tivoro::test;

namespace {

qint64 areaOf(const QRegion &region)
{
    qint64 area = 0;
    for (const QRect &r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

// What of the label's picture a user can see: clipped by the scroll areas
// and frames it sits in, and by the edges of the screen.
QRegion seenPicture(QLabel *label)
{
    QRegion seen = label->visibleRegion() & tivoro::pictureArea(label);
    const QRect screen = label->screen()->availableGeometry();
    return seen & QRect(label->mapFromGlobal(screen.topLeft()), screen.size());
}

double shareSeen(QLabel *label)
{
    const QRect whole = tivoro::pictureArea(label);
    const qint64 wholeArea = qint64(whole.width()) * whole.height();
    // A picture that does not fill its label leaves part of the label
    // empty; that part is no loss, but the label must be seen as a whole.
    const double labelShare = double(areaOf(label->visibleRegion())) / (label->width() * label->height());
    return qMin(wholeArea ? double(areaOf(seenPicture(label))) / wholeArea : 0.0, labelShare);
}

// The rows of the picture, top to bottom, that can be seen (the graph is
// wider than any window and scrolls sideways by design).
double heightSeen(QLabel *label)
{
    const QRect whole = tivoro::pictureArea(label);
    return double(seenPicture(label).boundingRect().height()) / whole.height();
}

QLabel *picture(QWidget *window, const char *holder, const char *name)
{
    auto *parent = window->findChild<QWidget *>(QLatin1String(holder));
    return parent ? parent->findChild<QLabel *>(QLatin1String(name)) : nullptr;
}

struct Picture
{
    const char *holder;
    const char *label;
    bool graph; // only its height must be seen whole
};

const QList<Picture> cameraPanels = {{"cameraSettings1", "sceneWidgetPlaceholderLabel", false},
                                     {"cameraSettings2", "sceneWidgetPlaceholderLabel", false}};
const QList<Picture> videoPage = {{"stackedWidgetVideos", "label_2", false},
                                  {"stackedWidgetVideos", "label_3", false}};
const QList<Picture> graphPage = {{"graph", "label", true}};
const QList<Picture> recordingView = {
    {"scrollArea", "label", false}, {"scrollArea", "label_2", false}, {"widget", "label_3", false}};

} // namespace

Q_DECLARE_METATYPE(QList<Picture>)

// The work windows open showing what they are for: the camera and scene
// pictures side by side and the graph at its full height, on a large screen
// at the desktop's font; on a laptop screen they fit it and show the first
// camera. CTest runs this on virtual X screens of both sizes.
class TestWindowSizes : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void picturesSeenWhenOpened_data();
    void picturesSeenWhenOpened();
};

void TestWindowSizes::initTestCase()
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    if (screen.width() < 1366 || screen.height() < 768)
        QSKIP("needs a screen of 1366x768 or more (CTest starts virtual ones)");
}

void TestWindowSizes::picturesSeenWhenOpened_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("press"); // the button pressed after opening, if any
    QTest::addColumn<QSize>("designed");
    QTest::addColumn<QList<Picture>>("pictures");

    const QList<QPair<QString, int>> fonts = {{"DejaVu Sans", 9}, {"Noto Sans", 10}};
    for (const auto &font : fonts) {
        const auto row = [&](const char *kind, const char *press, const char *page) -> QTestData & {
            return QTest::addRow("%s %s, %s %d", kind, page, qPrintable(font.first), font.second)
                   << QString::fromLatin1(kind) << font.first << font.second << QString::fromLatin1(press);
        };
        for (const char *kind : {"SetupRecordingWithMetadata", "AnalyzeVideos"}) {
            row(kind, "", "cameras") << QSize(947, 642) << cameraPanels;
            row(kind, "pushButtonStartStop", "videos") << QSize(947, 642) << videoPage;
            row(kind, "pushButtonShowGraph", "graph") << QSize(947, 642) << graphPage;
        }
        row("SetupRecording", "", "cameras") << QSize(828, 642) << cameraPanels;
        row("RecordingWindow", "", "pictures") << QSize(800, 600) << recordingView;
    }
}

void TestWindowSizes::picturesSeenWhenOpened()
{
    QFETCH(QString, kind);
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(QString, press);
    QFETCH(QSize, designed);
    QFETCH(QList<Picture>, pictures);
    const QFont font(family, points);
    QCOMPARE(QFontInfo(font).family(), family); // scripts/deps installs it
    QApplication::setFont(font);

    QWidget *window = openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (!press.isEmpty()) {
        auto *button = window->findChild<QPushButton *>(press);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Nested layouts settle over a few rounds of posted events.
    QTest::qWait(50);

    const QRect available = window->screen()->availableGeometry();
    const bool large = available.width() >= 1920 && available.height() >= 1040;
    QVERIFY2(available.contains(window->frameGeometry()),
             qPrintable(QStringLiteral("window %1x%2 at %3,%4 on a screen of %5x%6")
                            .arg(window->frameGeometry().width())
                            .arg(window->frameGeometry().height())
                            .arg(window->frameGeometry().x())
                            .arg(window->frameGeometry().y())
                            .arg(available.width())
                            .arg(available.height())));
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY(least.width() <= 1366 && least.height() <= 768);
    if (designed.width() <= available.width() && designed.height() <= available.height()) {
        QVERIFY2(window->width() >= designed.width() && window->height() >= designed.height(),
                 qPrintable(QStringLiteral("opens at %1x%2").arg(window->width()).arg(window->height())));
    }

    QStringList report;
    bool enough = true;
    for (int i = 0; i < pictures.size(); ++i) {
        const Picture &p = pictures.at(i);
        QLabel *label = picture(window, p.holder, p.label);
        QVERIFY(label);
        QVERIFY(!tivoro::pictureOf(label).isNull());
        const double share = p.graph ? heightSeen(label) : shareSeen(label);
        report << QStringLiteral("%1/%2 %3 %").arg(p.holder, p.label).arg(qRound(share * 100));
        if (large)
            enough = enough && share >= (p.graph ? 1.0 : 0.95);
        else if (i == 0 && !p.graph)
            enough = enough && share >= 0.75;
    }
    qInfo().noquote() << QStringLiteral("%1x%2 screen, window %3x%4:")
                             .arg(available.width())
                             .arg(available.height())
                             .arg(window->width())
                             .arg(window->height())
                      << report.join(QLatin1String(", "));
    QVERIFY2(enough, qPrintable(report.join(QLatin1String(", "))));
}

TIVORO_TEST_MAIN(TestWindowSizes)
#include "tst_windowsizes.moc"
