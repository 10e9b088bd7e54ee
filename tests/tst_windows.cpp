#include "support/TestSupport.h"

#include "app/translations.h"
#include "base/ScaledPicture.h"
#include "common/windowKinds.h"
#include "panels/CameraSettings.h"
#include "panels/GraphWidget.h"
#include "panels/MetaWidget.h"

#include <QAccessible>
#include <QBackingStore>
#include <QCheckBox>
#include <QColorDialog>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <utility>

using namespace tivoro::test;

namespace {

QWidget *showPanel(const QString &kind)
{
    QWidget *panel = kind == "camera" ? static_cast<QWidget *>(new CameraSettings)
        : kind == "graph"             ? static_cast<QWidget *>(new GraphWidget)
        : kind == "metadata"          ? static_cast<QWidget *>(new MetaWidget)
        : kind == "settings"          ? static_cast<QWidget *>(new Settings)
                                      : new AddCamera;
    panel->show();
    QApplication::setActiveWindow(panel);
    if (!QTest::qWaitForWindowActive(panel))
        qFatal("panel never became active");
    return panel;
}

// The desktop (whose close key it is) closes the last visible window: the program ends.
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
    void panels_data();
    void panels();
    void graphView_data();
    void graphView();
    void relativeTimeShortcut();
    void sharedScaledPicture_data();
    void sharedScaledPicture();
    void scenePictureKeys_data();
    void scenePictureKeys();
    void settingsSwatchesStayRed();
    void windowsBuiltAhead_data();
    void windowsBuiltAhead();
    void builtAheadAtItsOpeningSize_data();
    void builtAheadAtItsOpeningSize();
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
    // The start window's idle time before the click: the spare not begun, half built, or ready.
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
    QCOMPARE(first->windowHandle()->type(), Qt::Window); // managed by the window manager again
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

void TestWindows::builtAheadAtItsOpeningSize_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("steps"); // the last one names the window they open
    QTest::newRow("recording session window") << "MainWindow"
                                              << "click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata";
    QTest::newRow("settings dialog") << "MainWindow"
                                     << "menu Tools>Settings; @Settings";
    QTest::newRow("add camera dialog") << "SetupRecordingWithMetadata"
                                       << "click addCameraPushButton; @AddCamera";
    QTest::newRow("recording settings dialog") << "SetupRecording"
                                               << "click widget/pushButton_2; @RecordingSettings";
    QTest::newRow("camera setup window") << "RecordingSettings"
                                         << "click pushButton; @SetupRecording";
    QTest::newRow("recording view window") << "SetupRecording"
                                           << "click widget/pushButton; @RecordingWindow";
}

// What is drawn ahead is drawn at the size the window opens with: a store of
// another size is made anew at the click, and the drawing ahead is lost.
void TestWindows::builtAheadAtItsOpeningSize()
{
    QFETCH(QString, opener);
    QFETCH(QString, steps);
    QWidget *from = tivoro::openWindowOfKind(opener);
    QVERIFY(QTest::qWaitForWindowExposed(from));
    const QByteArray opened = steps.section('@', -1).toLatin1();
    QTRY_VERIFY(ready(spareOf(opened)));
    QWidget *spare = spareOf(opened);
    const QSize built = spare->size(), drawnInto = spare->backingStore()->size();
    QWidget *shown = play(from, steps);
    QCOMPARE(shown, spare);
    QCOMPARE(shown->size(), built);
    QCOMPARE(drawnInto, built);
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

void TestWindows::panels_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    // Each slider and its field stay in step: typed values are clamped and
    // written back, anything not a number counts as 0.
    const QStringList pairs {"heightSlider heightLineEdit", "xRotSlider xRotLineEdit", "zRotSlider zRotLineEdit",
                             "yRotSlider yRotLineEdit",     "fovSlider fovLineEdit",   "horizontalSlider lineEdit"};
    const char *edits[][4] = {
        // slider before, steps, slider after, field after
        {"0", "type F 150", "99", "99"}, {"0", "type F -5", "0", "0"},  {"0", "type F 42", "42", "42"},
        {"0", "type F abc", "0", "abc"}, {"5", "type F x", "0", "0"},   {"0", "type F", "0", ""},
        {"5", "type F", "0", "0"},       {"3", "type F 007", "7", "7"}, {"7", "key F Home; keys F 00", "7", "007"},
        {"0", "key S End", "99", "99"}};
    for (const QString &pair : pairs) {
        const QString slider = pair.section(' ', 0, 0), field = pair.section(' ', 1);
        for (const auto &e : edits) {
            QString steps = QString("set S value %1; %2").arg(e[0], e[1]);
            steps.replace(" S ", " " + slider + " ").replace(" F", " " + field);
            QTest::addRow("%s: %s at %s", qPrintable(field), e[1], e[0])
                << "camera" << steps << QString("%1.value=%2; %3.text=%4").arg(slider, e[2], field, e[3]);
        }
    }
    const QString manual =
        "heightSlider.enabled=true; xRotSlider.enabled=true; yRotSlider.enabled=true;"
        "zRotSlider.enabled=true; fovSlider.enabled=true; heightLineEdit.enabled=true; xRotLineEdit.enabled=true;"
        "yRotLineEdit.enabled=true; zRotLineEdit.enabled=true; fovLineEdit.enabled=true; "
        "cameraParamsLabel.enabled=true;"
        "clearControlPointsBtn.enabled=false; controlPointsTipLabel.enabled=false;";
    const QString untouched = "horizontalSlider.enabled=true; lineEdit.enabled=true; removeCameraBtn.enabled=true";
    QString points = manual;
    points.replace("true", "TRUE").replace("false", "true").replace("TRUE", "false");
    const QString videoFile =
        "removeCameraBtn.text=Remove this video; comboBoxResolution.exists=false; labelResolution.exists=false";
    const QString sliders = "call . setCameraSlidersEnabled ";
    QTest::newRow("control points") << "camera" << sliders + "false" << points + untouched;
    QTest::newRow("control points, manual") << "camera" << sliders + "false;" + sliders + "true" << manual + untouched;
    const QString video = "call . usingVideoFile;";
    QTest::newRow("video file") << "camera" << video << videoFile;
    QTest::newRow("video file twice") << "camera" << video + video << videoFile;
    QTest::newRow("notes: Tab") << "metadata"
                                << "keys plainTextEdit a; key plainTextEdit Tab; keys plainTextEdit b"
                                << "plainTextEdit.plainText=a\tb";
    // Typed input, then Tab: a time field keeps only a whole time in range
    // ("=": the one before), a slider's field the value typing moved it to.
    const QStringList inputs = {"type F 7", "type F -5",           "type F 12:34",        "type F abc",
                                "type F",   "key F End; keys F 7", "paste F 01:02:03:04", "paste F 2:03:04"};
    const QString dayTime = "=|=|=|=|=|=|01:02:03:04|=";
    const QString fields[][4] = {
        {"graph", "timeEditMarker", "01:00:00:00", dayTime},
        {"graph", "timeEditStart", "01:00:00:00", dayTime},
        {"graph", "timeEditEnd", "01:00:00:00", dayTime},
        {"settings", "timeEdit", "1:00:00", "=|=|1:34:00|=|=|=|=|2:03:04"},
        {"camera", "heightLineEdit", "0", "7|0|34|abc||7|01:02:03:04|2:03:04"},
    };
    for (const auto &[kind, field, before, expected] : fields) {
        for (int i = 0; i < inputs.size(); ++i)
            QTest::addRow("%s: %s", qPrintable(field), qPrintable(inputs[i]))
                << kind << QString("click F; %1; key F Tab").arg(inputs[i]).replace(" F", " " + field)
                << field + ".text=" + QString(expected.split('|')[i]).replace("=", before);
    }
}

void TestWindows::panels()
{
    QFETCH(QString, kind);
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QWidget *panel = showPanel(kind);
    TIVORO_PLAY(panel, steps, checks);
}

void TestWindows::graphView_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("fromEnd");
    QTest::addColumn<int>("halfWindows"); // how far from the start (or end), in half windows
    const QString in = "click buttonZoomIn;", out = "click buttonZoomOut;", left = "click buttonPrevious;",
                  right = "click buttonNext;", end = "key horizontalScrollBar End;";
    QTest::newRow("right, left, left") << right + left + left << 1 << false << 0;
    QTest::newRow("right twice") << right + right << 1 << false << 2;
    QTest::newRow("right stops at the end") << right.repeated(10) << 1 << true << 0;
    QTest::newRow("scroll bar to the end, left twice") << end + left + left << 1 << true << 2;
    QTest::newRow("zoom in") << in << 2 << false << 1;
    QTest::newRow("zoom in stops at 8x") << in.repeated(4) << 8 << false << 7;
    QTest::newRow("zoom out stops at 1x") << in + out + out << 1 << false << 0;
    QTest::newRow("zoomed out from the end") << in + in + end + out << 2 << true << 0;
    // Time still runs left to right.
    const QString rightToLeft = "set . layoutDirection RightToLeft;";
    QTest::newRow("right to left, right twice") << rightToLeft + right + right << 1 << false << 2;
}

void TestWindows::graphView()
{
    QFETCH(QString, steps);
    QFETCH(int, zoom);
    QFETCH(bool, fromEnd);
    QFETCH(int, halfWindows);
    QWidget *panel = play(showPanel("graph"), steps);
    auto *label = panel->findChild<QLabel *>("label");
    auto *bar = panel->findChild<QScrollBar *>("horizontalScrollBar");
    const int window = label->width();
    QCOMPARE(bar->maximum(), 1487 * zoom - window);
    QCOMPARE(bar->value(), fromEnd ? bar->maximum() - halfWindows * (window / 2) : halfWindows * (window / 2));

    // The label shows the zoomed picture from the scroll bar's position on.
    const QImage picture = label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.width(), 1487 * zoom);
    const int top = label->height() / 2 - picture.height() / 2, rows = qMin(label->height(), picture.height());
    QVERIFY(shown.copy(0, qMax(0, top), window, rows) == picture.copy(bar->value(), qMax(0, -top), window, rows));
}

void TestWindows::relativeTimeShortcut()
{
    QWidget *panel = showPanel("graph");
    auto *relative = panel->findChild<QCheckBox *>("checkBoxTimeType");
    // A completed sequence clicks the box a moment later (animated), so a
    // lone first stroke gets the same time to do harm.
    for (bool checked : {true, false}) {
        QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
        QTest::qWait(300);
        QCOMPARE(relative->isChecked(), !checked);
        QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(relative->isChecked(), checked);
    }
}

void TestWindows::sharedScaledPicture_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("scene, disabled") << ":/pictures/tivoroScene.png" << QSize(461, 351) << false;
    QTest::newRow("graph, stretched") << ":/pictures/graph.png" << QSize(1900, 120) << true;
}

void TestWindows::sharedScaledPicture()
{
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    QFETCH(bool, enabled);
    // Labels drawing from the shared scaled copy look exactly like one that
    // scales the picture itself, also the second one, also when resized.
    QList<QLabel *> labels;
    for (int i = 0; i < 3; ++i) {
        labels << new QLabel; // parentless: cleanup() deletes them
        labels.last()->setPixmap(QPixmap(picture));
        labels.last()->setScaledContents(true);
        labels.last()->setEnabled(enabled);
        if (i > 0)
            tivoro::shareScaledPicture(labels.last());
    }
    for (const QSize &labelSize : {size, size / 2}) {
        for (QLabel *label : std::as_const(labels))
            label->resize(labelSize);
        QCOMPARE(labels[1]->grab().toImage(), labels[0]->grab().toImage());
        QCOMPARE(labels[2]->grab().toImage(), labels[0]->grab().toImage());
    }
}

void TestWindows::scenePictureKeys_data()
{
    QTest::addColumn<QString>("steps"); // "keys KEYS", "click X,Y", "rclick X,Y" on the picture
    QTest::addColumn<int>("entry"); // the menu entry chosen, -1: Escape
    QTest::addColumn<QString>("menus"); // where each menu opened on the picture ("centre": of its picture)
    QTest::addColumn<QString>("focus");
    const QString picture = "sceneWidgetPlaceholderLabel";
    QTest::newRow("menu key") << "keys Menu" << -1 << "centre" << picture;
    QTest::newRow("menu key, entry chosen") << "keys Menu" << 3 << "centre" << picture;
    QTest::newRow("Shift+F10, last entry chosen") << "keys Shift+F10" << 5 << "centre" << picture;
    QTest::newRow("menu key twice") << "keys Menu Menu" << -1 << "centre centre" << picture;
    QTest::newRow("at the last click") << "keys Tab; click 40,300; keys Menu" << 0 << "40,300" << picture;
    QTest::newRow("at the last right click") << "rclick 100,20; keys Shift+F10" << -1 << "100,20 100,20" << picture;
    QTest::newRow("F10 alone") << "keys F10" << -1 << "" << picture;
    QTest::newRow("Ctrl+F10") << "keys Ctrl+F10" << -1 << "" << picture;
    QTest::newRow("Tab out") << "keys Tab" << -1 << ""
                             << "heightSlider";
    QTest::newRow("Shift+Tab out") << "keys Shift+Tab" << -1 << ""
                                   << "pushButton_2";
    QTest::newRow("menu key elsewhere") << "keys Tab Menu Shift+F10" << -1 << ""
                                        << "heightSlider";
}

void TestWindows::scenePictureKeys()
{
    QFETCH(QString, steps);
    QFETCH(int, entry);
    QFETCH(QString, menus);
    QFETCH(QString, focus);
    QWidget *panel = showPanel("camera");
    auto *picture = panel->findChild<QLabel *>("sceneWidgetPlaceholderLabel");
    QCOMPARE(QApplication::focusWidget(), picture); // first in the panel's Tab chain

    QStringList shown; // each menu's point on the picture, "?" where it opened elsewhere
    const QStringList expected = menus.split(' ', Qt::SkipEmptyParts);
    ExecAnswerer answerer([&](QWidget *popup) {
        const QString want = expected.value(shown.size());
        const QPoint at = want == "centre" ? tivoro::pictureArea(picture).center()
                                           : QPoint(want.section(',', 0, 0).toInt(), want.section(',', 1).toInt());
        shown << (!want.isEmpty() && popup->pos() == popupPlaceFor(popup, picture->mapToGlobal(at)) ? want : "?");
        QCOMPARE(popup->actions().size(), 6);
        (entry < 0 ? dismiss() : chooseMenuEntry(entry))(popup);
    });
    const QStringList parts = steps.split(';');
    for (const QString &step : parts) {
        const QString verb = step.trimmed().section(' ', 0, 0), arg = step.trimmed().section(' ', 1);
        const QPoint at(arg.section(',', 0, 0).toInt(), arg.section(',', 1).toInt()); // of a click
        if (verb == "keys")
            pressKeys(arg);
        else
            QTest::mouseClick(panel->windowHandle(), verb == "click" ? Qt::LeftButton : Qt::RightButton, {},
                              picture->mapTo(panel, at));
    }
    QCOMPARE(shown.join(' '), menus);
    QCOMPARE(focusPath(), focus);
    const QString wrong = mismatches(panel, "heightSlider.value=0; clearControlPointsBtn.enabled=false; windows=1");
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The focus shows as a ring inside the picture's edge, in the highlight
    // colour; the picture keeps its size and the rest of it.
    const QImage drawn = picture->grab().toImage();
    picture->clearFocus();
    const QImage plain = picture->grab().toImage();
    QCOMPARE(drawn.size(), plain.size());
    const QRect edges = tivoro::pictureArea(picture);
    const QRect inside = edges.adjusted(3, 3, -3, -3);
    QCOMPARE(drawn.copy(inside), plain.copy(inside));
    const QColor highlight = picture->palette().color(QPalette::Highlight);
    for (const QPoint &edge : {edges.topLeft(), edges.topLeft() + QPoint(1, 200), edges.bottomRight(),
                               edges.topLeft() + QPoint(edges.width() / 2, 1)})
        QCOMPARE(drawn.pixelColor(edge) == highlight, focus == picture->objectName());
}

TIVORO_TEST_MAIN(TestWindows)
#include "tst_windows.moc"
