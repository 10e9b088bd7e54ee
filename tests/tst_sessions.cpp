#include "support/Script.h"
#include "support/TestSupport.h"

#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"

using namespace tivoro::test;

namespace {

// The desktop closes the window, the last visible one (its close key is the
// desktop's, not the program's): the program ends.
void closeLastWindow(QWidget *window)
{
    const QPointer<QWidget> closing = window;
    QTimer::singleShot(0, closing, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    flushDeletions();
    QVERIFY(closing.isNull());
}

} // namespace

class TestSessions : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void sessionWindows_data();
    void sessionWindows();
    void startWindowHandsOver_data();
    void startWindowHandsOver();
    void keyboardRoad();
};

void TestSessions::sessionWindows_data()
{
    QTest::addColumn<bool>("analysis");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    const QString idle =
        "stackedWidgetVideos.currentIndex=1; pushButtonStartStop.text=START; pushButtonCancelRecording.enabled=false;";
    const QString running =
        "stackedWidgetVideos.currentIndex=0; pushButtonStartStop.text=STOP; pushButtonCancelRecording.enabled=true;";
    const QString metadata = "stackedWidgetBottom.currentIndex=0; pushButtonShowGraph.text=Show graph;";
    const QString graph = "stackedWidgetBottom.currentIndex=1; pushButtonShowGraph.text=Show metadata;";
    const QString manual =
        "cameraSettings1/heightSlider.enabled=true; cameraSettings2/fovLineEdit.enabled=true;"
        "cameraSettings2/clearControlPointsBtn.enabled=false; pushButtonCalibrateWithControlPoints.enabled=false;";
    const QString points =
        "cameraSettings1/heightSlider.enabled=false; cameraSettings2/fovLineEdit.enabled=false;"
        "cameraSettings2/clearControlPointsBtn.enabled=true; pushButtonCalibrateWithControlPoints.enabled=true;";
    const struct
    {
        const char *tag, *steps;
        QString checks;
    } rows[] = {
        {"fresh", "",
         idle + metadata + manual
             + "calibrateManuallyRadioButton.checked=true; cameraSettings2/removeCameraBtn.text=REMOVE; windows=1"},
        {"start", "click pushButtonStartStop", running + metadata},
        {"start, stop", "click pushButtonStartStop; click pushButtonStartStop", idle + metadata},
        {"foreign caption stops",
         "click pushButtonStartStop; set pushButtonStartStop text OTHER; click pushButtonStartStop", idle},
        {"graph", "click pushButtonShowGraph", graph + idle},
        {"graph, metadata", "click pushButtonShowGraph; click pushButtonShowGraph", metadata},
        {"foreign caption shows metadata",
         "click pushButtonShowGraph; set pushButtonShowGraph text Show Graph; click pushButtonShowGraph", metadata},
        {"toggles independent", "click pushButtonShowGraph; click pushButtonStartStop", graph + running},
        {"control points", "click calibrateUsingControlPointsRadioButton", points},
        {"control points, manual", "click calibrateUsingControlPointsRadioButton; click calibrateManuallyRadioButton",
         manual},
        {"selected manual runs nothing",
         "set pushButtonCalibrateWithControlPoints enabled true; click calibrateManuallyRadioButton",
         "pushButtonCalibrateWithControlPoints.enabled=true"},
        {"two add dialogs", "click addCameraPushButton; click addCameraPushButton", "AddCamera#=2; windows=3"},
        {"two settings", "menu Tools>Settings; menu Tools>Settings", "Settings#=2; windows=3"},
    };
    for (bool analysis : {false, true}) {
        for (const auto &row : rows) {
            QString checks = row.checks;
            checks.replace("START", analysis ? "Start analyzing" : "Start recording")
                .replace("STOP", analysis ? "Stop analyzing" : "Stop recording")
                .replace("OTHER", analysis ? "Start recording" : "start recording")
                .replace("REMOVE", analysis ? "Remove this video" : "Remove this camera");
            QString steps = QString(row.steps).replace("OTHER", analysis ? "Start recording" : "start recording");
            QTest::addRow("%s, %s", analysis ? "analysis" : "recording", row.tag) << analysis << steps << checks;
        }
    }
}

void TestSessions::sessionWindows()
{
    QFETCH(bool, analysis);
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QWidget *window = analysis ? static_cast<QWidget *>(new AnalyzeVideos) : new SetupRecordingWithMetadata;
    window->show();
    TIVORO_PLAY(window, steps, checks);
}

void TestSessions::startWindowHandsOver_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    QTest::newRow("set up recording") << "click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata"
                                      << "SetupRecordingWithMetadata#=1; windows=1; modal.count=0";
    QTest::newRow("analyze, cancelled") << "click commandLinkButtonAnalyze; @AnalyzeVideos"
                                        << "AnalyzeVideos#=1; windows=1; modal.count=1";
    QTest::newRow("analyze, files") << "answer files FILES; click commandLinkButtonAnalyze; @AnalyzeVideos"
                                    << "AnalyzeVideos#=1; windows=1; modal.count=1";
}

void TestSessions::startWindowHandsOver()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QTemporaryDir dir;
    QStringList files {dir.filePath("a.avi"), dir.filePath("b.avi")};
    for (const QString &f : files)
        QFile(f).open(QIODevice::WriteOnly);
    QPointer<MainWindow> start = new MainWindow;
    start->show();
    QWidget *session = play(start, steps.replace("FILES", files.join(QLatin1Char(','))));
    const QString wrong = mismatches(session, checks + "; MainWindow#=1; lonelyCloses=0");
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    closeLastWindow(session);
    QVERIFY(!start.isNull());
}

void TestSessions::keyboardRoad()
{
    // The typical road with the keyboard alone: at every step the focus is
    // where the keys took it and the step did what it should.
    const struct
    {
        const char *keys, *text, *focus;
        QString checks;
        bool menu = false; // the step opens the control-point menu
    } road[] = {
        {"", "", "commandLinkButtonAnalyze", "windows=1"},
        {"Tab", "", "commandLinkButtonSetUpRecording", ""},
        {"Space", "", "scrollArea", "SetupRecordingWithMetadata#=1; windows=1"},
        {"Shift+Tab*5", "Two cameras", "widget_2/plainTextEdit", "widget_2/plainTextEdit.plainText=Two cameras"},
        // The notes keep Tab and Shift+Tab; Ctrl+Shift+Tab and Ctrl+Tab
        // leave them, back to the fields and on to the control bar.
        {"Ctrl+Shift+Tab", "Hall 2", "widget_2/lineEdit_3", "widget_2/lineEdit_3.text=Hall 2"},
        {"Shift+Tab", "Group A", "widget_2/lineEdit_2", "widget_2/lineEdit_2.text=Group A"},
        {"Shift+Tab", "Kim", "widget_2/lineEdit_4", "widget_2/lineEdit_4.text=Kim"},
        {"Shift+Tab", "Morning run", "widget_2/lineEdit", "widget_2/lineEdit.text=Morning run"},
        {"Tab*4 Ctrl+Tab", "", "calibrateUsingControlPointsRadioButton",
         "widget_2/plainTextEdit.plainText=Two cameras"},
        {"Tab", "", "addCameraPushButton", ""},
        {"Space", "", "comboBox", "AddCamera#=1; windows=2"},
        {"Escape", "", "addCameraPushButton", "AddCamera#=0; windows=1"},
        {"Tab*23", "", "cameraSettings1/heightSlider", ""},
        {"Up*5", "", "cameraSettings1/heightSlider",
         "cameraSettings1/heightSlider.value=5; cameraSettings1/heightLineEdit.text=5;"
         "cameraSettings2/heightLineEdit.text=0"},
        {"Shift+Tab*24", "", "calibrateUsingControlPointsRadioButton", "calibrateManuallyRadioButton.checked=true"},
        {"Space", "", "calibrateUsingControlPointsRadioButton",
         "calibrateUsingControlPointsRadioButton.checked=true; cameraSettings1/heightSlider.enabled=false;"
         "cameraSettings2/heightLineEdit.enabled=false; cameraSettings1/clearControlPointsBtn.enabled=true;"
         "pushButtonCalibrateWithControlPoints.enabled=true"},
        {"Tab*15", "", "cameraSettings1/sceneWidgetPlaceholderLabel", ""},
        {"Menu", "", "cameraSettings1/sceneWidgetPlaceholderLabel",
         "cameraSettings1/clearControlPointsBtn.enabled=true; windows=1", true},
        {"Shift+Tab*11", "", "pushButtonStartStop", ""},
        {"Space", "", "pushButtonStartStop",
         "pushButtonStartStop.text=Stop recording; pushButtonCancelRecording.enabled=true;"
         "stackedWidgetVideos.currentIndex=0"},
        {"Shift+Tab*2", "", "pushButtonShowGraph", ""},
        {"Space", "", "pushButtonShowGraph",
         "pushButtonShowGraph.text=Show metadata; stackedWidgetBottom.currentIndex=1;"
         "pushButtonStartStop.text=Stop recording; widget_2/lineEdit.text=Morning run"},
    };
    int menus = 0; // control-point menus opened
    const ExecAnswerer escape([&menus](QWidget *popup) {
        menus += popup->actions().size() == 6;
        dismiss()(popup);
    });
    QPointer<MainWindow> start = new MainWindow;
    start->show();
    QVERIFY(QTest::qWaitForWindowActive(start));
    for (const auto &step : road) {
        const int menusBefore = menus;
        pressKeys(QLatin1String(step.keys), QLatin1String(step.text));
        flushDeletions();
        const QString where = QStringLiteral("after \"%1\": ").arg(QLatin1String(step.keys));
        QVERIFY2(focusPath() == QLatin1String(step.focus), qPrintable(where + "focus on " + focusPath()));
        QCOMPARE(menus, menusBefore + int(step.menu));
        const QString wrong = mismatches(QApplication::activeWindow(), step.checks);
        QVERIFY2(wrong.isEmpty(), qPrintable(where + wrong));
    }

    closeLastWindow(QApplication::activeWindow());
    QVERIFY(!start->isVisible());
}

TIVORO_TEST_MAIN(TestSessions)
#include "tst_sessions.moc"
