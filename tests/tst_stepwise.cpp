#include "support/Script.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

using namespace tivoro::test;

class TestStepwise : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void flow_data();
    void flow();
    void scrolling_data();
    void scrolling();
};

void TestStepwise::flow_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    const QString setup = "open SetupRecording;";
    const QString settings = "open RecordingSettings;";
    const QString manual =
        "pushButtonCalibrateWithControlPoints.enabled=false; cameraSettings1/heightSlider.enabled=true;"
        "cameraSettings2/clearControlPointsBtn.enabled=false";
    const QString points =
        "pushButtonCalibrateWithControlPoints.enabled=true; cameraSettings1/heightSlider.enabled=false;"
        "cameraSettings2/clearControlPointsBtn.enabled=true";
    // The window's own buttons sit in "widget"; the camera panels have
    // like-named ones of their own that must not hand over.
    QTest::newRow("back to edit metadata") << setup + "click widget/pushButton_2; @RecordingSettings"
                                           << "windows=1; lonelyCloses=0; SetupRecording#=0";
    QTest::newRow("start recording") << setup + "click widget/pushButton; @RecordingWindow"
                                     << "windows=1; lonelyCloses=0; SetupRecording#=0";
    QTest::newRow("setup cameras") << settings + "click pushButton; @SetupRecording"
                                   << "windows=1; lonelyCloses=0; RecordingSettings#=0";
    QTest::newRow("back") << settings + "click pushButton_3; @MainWindow"
                          << "windows=1; lonelyCloses=0; RecordingSettings#=0";
    QTest::newRow("back beside a start window") << "open MainWindow;" + settings + "click pushButton_3"
                                                << "windows=2; MainWindow#=2; RecordingSettings#=0";
    QTest::newRow("control points") << setup + "click calibrateUsingControlPointsRadioButton" << points;
    QTest::newRow("control points, manual")
        << setup + "click calibrateUsingControlPointsRadioButton; click calibrateManuallyRadioButton" << manual;
    QTest::newRow("add dialogs outlive the window")
        << setup + "click addCameraPushButton; click addCameraPushButton; close"
        << "windows=2; AddCamera#=2; SetupRecording#=0";
}

void TestStepwise::flow()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    TIVORO_PLAY(nullptr, steps, checks);
}

void TestStepwise::scrolling_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("camera setup as opened") << "SetupRecording" << 0 << true;
    QTest::newRow("recording view, squeezed") << "RecordingWindow" << 100 << true;
    QTest::newRow("recording view, narrower than both cameras") << "RecordingWindow" << 700 << true;
    QTest::newRow("recording view, wide") << "RecordingWindow" << 1800 << false;
}

void TestStepwise::scrolling()
{
    QFETCH(QString, kind);
    QFETCH(int, width);
    QFETCH(bool, scrolls);
    QWidget *window = play(nullptr, "open " + kind);
    if (width)
        window->resize(width, window->height());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents(); // the resize's layout pass
    QCOMPARE(window->findChild<QScrollArea *>("scrollArea")->horizontalScrollBar()->isVisible(), scrolls);
    if (auto *graph = window->findChild<QLabel *>("label_3"))
        QVERIFY(graph->width() >= 400);
}

TIVORO_TEST_MAIN(TestStepwise)
#include "tst_stepwise.moc"
