#include "support/TestSupport.h"

#include "panels/AddCamera.h"
#include "panels/CameraSettings.h"
#include "panels/MetaWidget.h"
#include "shell/MainWindow.h"
#include "shell/openWindow.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"
#include "stepwise/SetupRecording.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

using namespace tivoro::test;

namespace {

// Opened the way a hand-over opens them.
QWidget *openFlowWindow(const QString &className)
{
    if (className == QLatin1String("SetupRecording"))
        return tivoro::openWindow<SetupRecording>();
    if (className == QLatin1String("RecordingSettings"))
        return tivoro::openWindow<RecordingSettings>();
    return tivoro::openWindow<RecordingWindow>();
}

// The window's own control of that name, never a like-named one inside a
// camera panel (the panels have their own "pushButton" and "pushButton_2").
template <class T = QPushButton>
T *own(QWidget *window, const QString &name)
{
    for (T *found : window->findChildren<T *>(name)) {
        QWidget *up = found->parentWidget();
        while (up != window && !qobject_cast<CameraSettings *>(up))
            up = up->parentWidget();
        if (up == window)
            return found;
    }
    return nullptr;
}

int visibleCount(const QString &className)
{
    int count = 0;
    for (QWidget *w : ownWindows())
        count += w->isVisible() && className == QLatin1String(w->metaObject()->className()) ? 1 : 0;
    return count;
}

// Remembers how many other windows were visible when the watched one was
// asked to close.
class CloseWitness : public QObject
{
public:
    explicit CloseWitness(QWidget *watched) { watched->installEventFilter(this); }
    int othersVisible = -1;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            othersVisible = visibleTopLevelCount() - 1;
        return false;
    }
};

} // namespace

class TestStepwise : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void handOver_data();
    void handOver();
    void backAndForthStaysBounded();
    void calibrationChoice_data();
    void calibrationChoice();
    void panelConfigurationButtonsDoNothing_data();
    void panelConfigurationButtonsDoNothing();
    void addCameraDialogsOutliveTheWindow();
    void zoomButtonsDoNothing_data();
    void zoomButtonsDoNothing();
    void cameraSetupScrollsSideways();
    void recordingViewLayout_data();
    void recordingViewLayout();
    void metadataPanelKeepsItsOwnLayout();
};

void TestStepwise::handOver_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("opens");
    QTest::addColumn<bool>("startWindowOpen");
    QTest::newRow("back to edit metadata") << "SetupRecording" << "pushButton_2" << "RecordingSettings" << false;
    QTest::newRow("start recording") << "SetupRecording" << "pushButton" << "RecordingWindow" << false;
    QTest::newRow("setup cameras") << "RecordingSettings" << "pushButton" << "SetupRecording" << false;
    QTest::newRow("back") << "RecordingSettings" << "pushButton_3" << "MainWindow" << false;
    QTest::newRow("back beside a start window") << "RecordingSettings" << "pushButton_3" << "MainWindow" << true;
}

void TestStepwise::handOver()
{
    QFETCH(QString, from);
    QFETCH(QString, button);
    QFETCH(QString, opens);
    QFETCH(bool, startWindowOpen);
    if (startWindowOpen)
        (new MainWindow)->show();
    QPointer<QWidget> old = openFlowWindow(from);
    QVERIFY(QTest::qWaitForWindowExposed(old));
    const int live = liveTopLevelCount();
    CloseWitness witness(old);

    QTest::mouseClick(own(old, button), Qt::LeftButton);

    QVERIFY(old && old->isHidden());
    QCOMPARE(visibleCount(opens), startWindowOpen ? 2 : 1);
    QCOMPARE(witness.othersVisible, visibleTopLevelCount()); // shown before the old one closed
    flushDeletions();
    QVERIFY(!old);
    QCOMPARE(liveTopLevelCount(), live);
}

void TestStepwise::backAndForthStaysBounded()
{
    new MainWindow; // stands for the start window that main owns, hidden by now
    QWidget *window = openFlowWindow(QStringLiteral("SetupRecording"));
    for (int turn = 0; turn < 100; ++turn) {
        QTest::mouseClick(own(window, QStringLiteral("pushButton_2")), Qt::LeftButton);
        window = visibleTopLevel<RecordingSettings>();
        QVERIFY(window);
        QTest::mouseClick(own(window, QStringLiteral("pushButton")), Qt::LeftButton);
        window = visibleTopLevel<SetupRecording>();
        QVERIFY(window);
        flushDeletions();
    }
    QCOMPARE(visibleTopLevelCount(), 1);
    QCOMPARE(liveTopLevelCount(), 2);
}

void TestStepwise::calibrationChoice_data()
{
    const QString manual = QStringLiteral("calibrateManuallyRadioButton");
    const QString controlPoints = QStringLiteral("calibrateUsingControlPointsRadioButton");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<bool>("manualState");
    QTest::newRow("control points") << QStringList{controlPoints} << false;
    QTest::newRow("control points, then manual") << QStringList{controlPoints, manual} << true;
    QTest::newRow("manual once more") << QStringList{manual} << true;
    QTest::newRow("control points twice") << QStringList{controlPoints, controlPoints} << false;
}

void TestStepwise::calibrationChoice()
{
    QFETCH(QStringList, choices);
    QFETCH(bool, manualState);
    QWidget *window = openFlowWindow(QStringLiteral("SetupRecording"));
    QVERIFY(QTest::qWaitForWindowExposed(window));

    for (const QString &choice : choices)
        QTest::mouseClick(own<QAbstractButton>(window, choice), Qt::LeftButton);

    QCOMPARE(own(window, QStringLiteral("pushButtonCalibrateWithControlPoints"))->isEnabled(), !manualState);
    for (const char *name : {"cameraSettings1", "cameraSettings2"}) {
        auto *panel = window->findChild<CameraSettings *>(name);
        auto *slider = panel->findChild<QSlider *>(QStringLiteral("heightSlider"));
        auto *clear = panel->findChild<QPushButton *>(QStringLiteral("clearControlPointsBtn"));
        QVERIFY2(slider && clear, name);
        QCOMPARE(slider->isEnabled(), manualState);
        QCOMPARE(clear->isEnabled(), !manualState);
    }
}

void TestStepwise::panelConfigurationButtonsDoNothing_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("left save") << "cameraSettings1" << "pushButton" << "Save configuration";
    QTest::newRow("left load") << "cameraSettings1" << "pushButton_2" << "Load configuration";
    QTest::newRow("right save") << "cameraSettings2" << "pushButton" << "Save configuration";
    QTest::newRow("right load") << "cameraSettings2" << "pushButton_2" << "Load configuration";
}

void TestStepwise::panelConfigurationButtonsDoNothing()
{
    QFETCH(QString, panel);
    QFETCH(QString, button);
    QFETCH(QString, text);
    QPointer<QWidget> window = openFlowWindow(QStringLiteral("SetupRecording"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *pressed = window->findChild<CameraSettings *>(panel)->findChild<QPushButton *>(button);
    QVERIFY(pressed);
    QCOMPARE(pressed->text(), text);

    QTest::mouseClick(pressed, Qt::LeftButton);
    flushDeletions();

    QVERIFY(window && window->isVisible());
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestStepwise::addCameraDialogsOutliveTheWindow()
{
    QPointer<QWidget> window = openFlowWindow(QStringLiteral("SetupRecording"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QPushButton *add = own(window, QStringLiteral("addCameraPushButton"));
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(visibleCount(QStringLiteral("AddCamera")), 2);
    QVERIFY(window->isVisible());

    window->close();
    flushDeletions();
    QVERIFY(!window);
    QCOMPARE(visibleCount(QStringLiteral("AddCamera")), 2);

    QPointer<AddCamera> dialog = topLevels<AddCamera>().first();
    QTest::keyClick(dialog, Qt::Key_Escape);
    flushDeletions();
    QVERIFY(!dialog);
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestStepwise::zoomButtonsDoNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("zoom in") << "pushButton" << "+";
    QTest::newRow("zoom out") << "pushButton_2" << "-";
}

void TestStepwise::zoomButtonsDoNothing()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QPointer<QWidget> window = openFlowWindow(QStringLiteral("RecordingWindow"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *graph = window->findChild<QLabel *>(QStringLiteral("label_3"));
    auto *camera = window->findChild<QLabel *>(QStringLiteral("label"));
    const QRect graphRect = graph->geometry();
    const QRect cameraRect = camera->geometry();
    QPushButton *zoom = own(window, button);
    QCOMPARE(zoom->text(), text);

    QTest::mouseClick(zoom, Qt::LeftButton);
    flushDeletions();

    QVERIFY(window && window->isVisible());
    QCOMPARE(liveTopLevelCount(), 1);
    QCOMPARE(graph->geometry(), graphRect);
    QCOMPARE(camera->geometry(), cameraRect);
}

void TestStepwise::cameraSetupScrollsSideways()
{
    QWidget *window = openFlowWindow(QStringLiteral("SetupRecording"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QScrollBar *bar = window->findChild<QScrollArea *>(QStringLiteral("scrollArea"))->horizontalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
}

void TestStepwise::recordingViewLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("squeezed") << 100 << true;
    QTest::newRow("narrower than both cameras") << 700 << true;
    QTest::newRow("wide") << 1800 << false;
}

void TestStepwise::recordingViewLayout()
{
    QFETCH(int, width);
    QFETCH(bool, scrolls);
    QWidget *window = openFlowWindow(QStringLiteral("RecordingWindow"));
    window->resize(width, window->height());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();

    auto *cameras = window->findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    auto *graph = window->findChild<QLabel *>(QStringLiteral("label_3"));
    auto *zoom = window->findChild<QLabel *>(QStringLiteral("label_4"));
    QCOMPARE(cameras->horizontalScrollBar()->isVisible(), scrolls);
    QVERIFY(graph->width() >= 400);
    const auto top = [window](QWidget *w) { return w->mapTo(window, QPoint(0, 0)).y(); };
    QVERIFY(top(graph) >= top(cameras) + cameras->height());
    QVERIFY(top(zoom) >= top(graph) + graph->height());
}

void TestStepwise::metadataPanelKeepsItsOwnLayout()
{
    QWidget *dialog = openFlowWindow(QStringLiteral("RecordingSettings"));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto *panel = dialog->findChild<MetaWidget *>(QStringLiteral("widget_3"));
    QVERIFY(panel->layout());
    QCOMPARE(panel->layout()->objectName(), QStringLiteral("verticalLayout"));
    // The panel's fields are laid out inside it, not piled up at its corner.
    auto *name = panel->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    QVERIFY(name);
    QVERIFY(name->width() > panel->width() / 3);
    QVERIFY(panel->rect().contains(name->geometry()));
}

TIVORO_TEST_MAIN(TestStepwise)
#include "tst_stepwise.moc"
