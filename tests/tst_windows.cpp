#include "support/TestSupport.h"

#include "app/translations.h"
#include "common/windowKinds.h"

#include <QAccessible>
#include <QColorDialog>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>

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

class TestWindows : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void settingsSwatchesStayRed();
    void windowsBuiltAhead_data();
    void windowsBuiltAhead();
    void userLanguages_data();
    void userLanguages();
    void windowSteps_data();
    void windowSteps();
    void keyboardRoad();
    void stepwiseScrolling_data();
    void stepwiseScrolling();
};

// Each row opens its window as a hand-over does, then plays and checks.
void TestWindows::windowSteps_data()
{
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
        {"start", "click pushButtonStartStop", running + metadata + "cameraSettings2/removeCameraBtn.text=REMOVE"},
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
        {"two add dialogs", "click addCameraPushButton; click addCameraPushButton", "AddCamera#=2; windows=3"},
        {"two settings", "menu Tools>Settings; menu Tools>Settings", "Settings#=2; windows=3"},
    };
    for (bool analysis : {false, true}) {
        for (const auto &row : rows) {
            const QString open = analysis ? "open AnalyzeVideos;" : "open SetupRecordingWithMetadata;";
            QString checks = row.checks;
            checks.replace("START", analysis ? "Start analyzing" : "Start recording")
                .replace("STOP", analysis ? "Stop analyzing" : "Stop recording")
                .replace("OTHER", analysis ? "Start recording" : "start recording")
                .replace("REMOVE", analysis ? "Remove this video" : "Remove this camera");
            QString steps = QString(row.steps).replace("OTHER", analysis ? "Start recording" : "start recording");
            QTest::addRow("%s, %s", analysis ? "analysis" : "recording", row.tag) << open + steps << checks;
        }
    }
    const QString setup = "open SetupRecording;", settings = "open RecordingSettings;";
    QTest::newRow("camera setup, control points") << setup + rows[7].steps << points;
    QTest::newRow("camera setup, control points, manual") << setup + rows[8].steps << manual;
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
    QTest::newRow("add dialogs outlive the window")
        << setup + "click addCameraPushButton; click addCameraPushButton; close"
        << "windows=2; AddCamera#=2; SetupRecording#=0";
    const QString handOver = "; MainWindow#=1; lonelyCloses=0; windows=1";
    QTest::newRow("set up recording") << "main; click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata"
                                      << "SetupRecordingWithMetadata#=1; modal.count=0" + handOver;
    QTest::newRow("analyze, cancelled") << "main; click commandLinkButtonAnalyze; @AnalyzeVideos"
                                        << "AnalyzeVideos#=1; modal.count=1" + handOver;
    QTest::newRow("analyze, files") << "main; answer files FILES; click commandLinkButtonAnalyze; @AnalyzeVideos"
                                    << "AnalyzeVideos#=1; modal.count=1" + handOver;
    QTest::newRow("open analyzed project, chosen")
        << "open MainWindow; answer files PROJECT; click commandLinkButtonOpenProject"
        << "windows=1; MainWindow#=1; modal.count=1";
    QTest::newRow("settings three times")
        << "open MainWindow; menu Tools>Settings; menu Tools>Settings; menu Tools>Settings"
        << "windows=4; Settings#=3; MainWindow#=1";
    QTest::newRow("settings fresh after OK")
        << "open MainWindow; menu Tools>Settings; @Settings; type lineEdit /srv; click radioButton_2;"
           "key lineEdit Return; @MainWindow; menu Tools>Settings; @Settings"
        << "lineEdit.text=; timeEdit.text=1:00:00; radioButton.checked=true; Settings#=1";
    QTest::newRow("change twice")
        << "open MainWindow; menu Tools>Settings; @Settings; click pushButton_2; click pushButton_2"
        << "windows=4; QColorDialog#=2; modal.count=0";
}

void TestWindows::windowSteps()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QTemporaryDir dir;
    for (const char *file : {"study.tivoro", "a.avi", "b.avi"})
        QFile(dir.filePath(file)).open(QIODevice::WriteOnly);
    steps.replace("PROJECT", dir.filePath("study.tivoro"))
        .replace("FILES", dir.filePath("a.avi") + "," + dir.filePath("b.avi"));
    QWidget *start = steps.startsWith("main;") ? new MainWindow : nullptr; // as main makes it: kept on close
    if (start)
        start->show();
    TIVORO_PLAY(start, steps.remove("main;"), checks);
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        if (visibleTopLevelCount() == 1 && w->isVisible())
            closeLastWindow(w);
    }
}

void TestWindows::keyboardRoad()
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

void TestWindows::stepwiseScrolling_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("camera setup as opened") << "SetupRecording" << 0 << true;
    QTest::newRow("recording view, narrower than both cameras") << "RecordingWindow" << 700 << true;
    QTest::newRow("recording view, wide") << "RecordingWindow" << 1800 << false;
}

void TestWindows::stepwiseScrolling()
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

// The swatches show their colour, and a chosen one is not applied.
void TestWindows::settingsSwatchesStayRed()
{
    auto *settings = new Settings;
    settings->show();
    play(settings, "click pushButton_2");
    auto *picker = static_cast<QColorDialog *>(ownWindows("QColorDialog").value(0));
    QVERIFY(picker);
    picker->setCurrentColor(Qt::blue);
    picker->accept();
    for (const char *name : {"graphicsView", "graphicsView_2", "graphicsView_3"}) {
        auto *swatch = settings->findChild<QGraphicsView *>(name);
        QCOMPARE(swatch->viewport()->grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    }
}

// A window built ahead is laid out when it is ready.
bool ready(const QWidget *spare)
{
    return spare && !spare->testAttribute(Qt::WA_PendingResizeEvent);
}

QWidget *spareOf(const char *className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (tivoro::isSpare(w) && w->inherits(className))
            return w;
    }
    return nullptr;
}

void TestWindows::windowsBuiltAhead_data()
{
    // How long the start window stays idle before the click: the spare
    // not begun, half built, or ready.
    QTest::addColumn<int>("idleMs");
    for (int ms : {0, 20, 120, 160, 250, 1000})
        QTest::addRow("click after %d ms", ms) << ms;
}

void TestWindows::windowsBuiltAhead()
{
    QFETCH(int, idleMs);
    auto *start = new MainWindow;
    start->show();
    QVERIFY(QTest::qWaitForWindowExposed(start));
    QTest::qWait(idleMs);
    const QPointer<QWidget> spare = spareOf("SetupRecordingWithMetadata");
    if (ready(spare)) { // assistive technology does not see it as a window
        QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
        for (int i = 0; i < app->childCount(); ++i)
            QVERIFY(app->child(i)->object() != spare);
    }
    QWidget *first = play(start, "click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata");
    QVERIFY(first && first->isVisible() && !start->isVisible());
    QVERIFY(!spare || first == spare);
    QTRY_VERIFY(tivoro::isSpare(spareOf("Settings")) && spareOf("AddCamera")); // what the new window opens

    // Laid out as a window built at the click, and never shown twice.
    tivoro::dropSpares();
    QWidget *fresh = tivoro::openWindowOfKind("SetupRecordingWithMetadata");
    QVERIFY(QTest::qWaitForWindowExposed(fresh));
    QCOMPARE(first->size(), fresh->size());
    start->show();
    QTRY_VERIFY(ready(spareOf("SetupRecordingWithMetadata")));
    play(start, "click commandLinkButtonSetUpRecording");
    const QList<QWidget *> windows = ownWindows("SetupRecordingWithMetadata");
    QCOMPARE(windows.size(), 3);
    QVERIFY(std::all_of(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }));
}

void TestWindows::userLanguages_data()
{
    // The desktop's languages, preferred first, as QLocale lists them.
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("caption"); // of the start window
    QTest::addColumn<QString>("cancel"); // the toolkit's standard button
    const QString german = "Aufnahmesitzung einrichten", english = "Set up recoding session";
    QTest::newRow("German") << QStringList {"de-DE"} << german << "Abbrechen";
    QTest::newRow("French, then German") << QStringList {"fr-FR", "de"} << german << "Abbrechen";
    QTest::newRow("English, then German") << QStringList {"en-GB", "de-DE"} << english << "Cancel";
    QTest::newRow("none") << QStringList {} << english << "Cancel";
}

void TestWindows::userLanguages()
{
    if (qEnvironmentVariableIsSet("TIVORO_TEST_LANGUAGE")) // its catalogue would answer first
        return QTest::qSkip("installs languages of its own", __FILE__, __LINE__);
    QFETCH(QStringList, languages);
    QFETCH(QString, caption);
    QFETCH(QString, cancel);
    const QList<QTranslator *> installed = tivoro::installTranslations(languages);
    auto *start = new MainWindow;
    start->show();
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    const QString shownCaption = start->findChild<QCommandLinkButton *>("commandLinkButtonSetUpRecording")->text();
    const QString shownCancel = box.button(QDialogButtonBox::Cancel)->text();
    for (QTranslator *translator : installed)
        QCoreApplication::removeTranslator(translator);
    qDeleteAll(installed);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownCancel, cancel);
}

TIVORO_TEST_MAIN(TestWindows)
#include "tst_windows.moc"
