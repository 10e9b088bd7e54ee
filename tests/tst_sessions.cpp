#include "support/TestSupport.h"

#include "panels/CameraSettings.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>

using namespace tivoro::test;

namespace {

QMainWindow *showSession(bool analysis)
{
    QMainWindow *window = analysis ? static_cast<QMainWindow *>(new AnalyzeVideos) : new SetupRecordingWithMetadata;
    window->show();
    flushDeletions();
    return window;
}

QTestData &row(bool analysis, const char *name)
{
    return QTest::addRow("%s, %s", analysis ? "analysis" : "recording", name) << analysis;
}

// Null-safe, so that a missing control fails a comparison instead of the run.
QString textOf(QObject *in, const QString &name)
{
    auto *button = in->findChild<QAbstractButton *>(name);
    return button ? button->text() : QStringLiteral("<missing>");
}

bool isEnabled(QObject *in, const QString &name)
{
    auto *widget = in->findChild<QWidget *>(name);
    return widget && widget->isEnabled();
}

int pageOf(QObject *in, const QString &stack)
{
    return in->findChild<QStackedWidget *>(stack)->currentIndex();
}

void click(QObject *in, const QString &name)
{
    QTest::mouseClick(in->findChild<QWidget *>(name), Qt::LeftButton);
}

QList<CameraSettings *> panels(QObject *window)
{
    return {window->findChild<CameraSettings *>("cameraSettings1"),
            window->findChild<CameraSettings *>("cameraSettings2")};
}

int panelsWithSliders(QObject *window)
{
    int count = 0;
    for (CameraSettings *panel : panels(window))
        count += isEnabled(panel, "heightSlider") && isEnabled(panel, "fovLineEdit") ? 1 : 0;
    return count;
}

int visibleWindows(const char *className)
{
    int count = 0;
    for (QWidget *w : ownWindows())
        count += w->isVisible() && w->inherits(className) ? 1 : 0;
    return count;
}

} // namespace

class TestSessions : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void initialState_data()
    {
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<QString>("panelRemove");
        QTest::addColumn<QStringList>("texts"); // add, cancel, start/stop, the checked check boxes
        row(false, "fresh") << "Remove this camera"
                            << QStringList{"Add new camera", "Cancel recording", "Start recording",
                                           "Save video to hard drive", "Save activity data to hard drive"};
        row(true, "fresh") << "Remove this video"
                           << QStringList{"Add new video file", "Cancel analyzing", "Start analyzing",
                                          "Save activity data to hard drive"};
    }

    void initialState()
    {
        QFETCH(bool, analysis);
        QFETCH(QString, panelRemove);
        QFETCH(QStringList, texts);
        QMainWindow *window = showSession(analysis);

        for (CameraSettings *panel : panels(window)) {
            QCOMPARE(textOf(panel, "removeCameraBtn"), panelRemove);
            QCOMPARE(panel->findChild<QComboBox *>("comboBoxResolution") != nullptr, !analysis);
        }
        QStringList seen{textOf(window, "addCameraPushButton"), textOf(window, "pushButtonCancelRecording"),
                         textOf(window, "pushButtonStartStop")};
        for (QCheckBox *box : window->findChild<QWidget *>("widget")->findChildren<QCheckBox *>())
            seen << (box->isChecked() ? box->text() : QString());
        QCOMPARE(seen, texts);
        QCOMPARE(textOf(window, "pushButtonShowGraph"), QStringLiteral("Show graph"));
        QCOMPARE(pageOf(window, "stackedWidgetVideos"), 1);
        QCOMPARE(pageOf(window, "stackedWidgetBottom"), 0);
        QVERIFY(window->findChild<QRadioButton *>("calibrateManuallyRadioButton")->isChecked());
        QVERIFY(!isEnabled(window, "pushButtonCalibrateWithControlPoints"));
        QVERIFY(!isEnabled(window, "pushButtonCancelRecording"));
        QCOMPARE(panelsWithSliders(window), 2);
        QCOMPARE(liveTopLevelCount(), 1);
    }

    void toggles_data()
    {
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<QString>("toggle");
        QTest::addColumn<QString>("caption"); // set after one click; null: left alone
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("expectedCaption");
        QTest::addColumn<int>("expectedPage");

        const QString startStop("pushButtonStartStop"), showGraph("pushButtonShowGraph");
        for (bool analysis : {false, true}) {
            const QString start = analysis ? "Start analyzing" : "Start recording";
            const QString stop = analysis ? "Stop analyzing" : "Stop recording";
            const QString foreign = analysis ? "Start recording" : "start recording";
            row(analysis, "start") << startStop << QString() << 1 << stop << 0;
            row(analysis, "start, stop") << startStop << QString() << 2 << start << 1;
            row(analysis, "start, foreign caption, click") << startStop << foreign << 1 << start << 1;
            row(analysis, "graph") << showGraph << QString() << 1 << "Show metadata" << 1;
            row(analysis, "graph, metadata") << showGraph << QString() << 2 << "Show graph" << 0;
            row(analysis, "graph, foreign caption, click") << showGraph << "Show Graph" << 1 << "Show graph" << 0;
        }
    }

    void toggles()
    {
        QFETCH(bool, analysis);
        QFETCH(QString, toggle);
        QFETCH(QString, caption);
        QFETCH(int, clicks);
        QFETCH(QString, expectedCaption);
        QFETCH(int, expectedPage);
        QMainWindow *window = showSession(analysis);
        const bool startStop = toggle == "pushButtonStartStop";
        const QString stack = startStop ? "stackedWidgetVideos" : "stackedWidgetBottom";
        const QString other = startStop ? "pushButtonShowGraph" : "pushButtonStartStop";
        const QString otherStack = startStop ? "stackedWidgetBottom" : "stackedWidgetVideos";

        // The other toggle is moved away from its start first: it must stay put.
        click(window, other);
        const QString otherCaption = textOf(window, other);
        const int otherPage = pageOf(window, otherStack);
        if (!caption.isNull()) {
            click(window, toggle);
            window->findChild<QPushButton *>(toggle)->setText(caption);
        }
        for (int i = 0; i < clicks; ++i)
            click(window, toggle);

        QCOMPARE(textOf(window, toggle), expectedCaption);
        QCOMPARE(pageOf(window, stack), expectedPage);
        QCOMPARE(isEnabled(window, "pushButtonCancelRecording"), pageOf(window, "stackedWidgetVideos") == 0);
        QCOMPARE(textOf(window, other), otherCaption);
        QCOMPARE(pageOf(window, otherStack), otherPage);
    }

    void calibrationChoice_data()
    {
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<QStringList>("steps"); // radio buttons clicked; "invert" flips the state behind their back
        QTest::addColumn<int>("panelsWithSliders");
        QTest::addColumn<bool>("calibrateEnabled");
        for (bool analysis : {false, true}) {
            row(analysis, "control points") << QStringList{"points"} << 0 << true;
            row(analysis, "control points, manual") << QStringList{"points", "manual"} << 2 << false;
            row(analysis, "manual again") << QStringList{"invert", "manual"} << 0 << true;
            row(analysis, "control points again") << QStringList{"points", "invert", "points"} << 2 << false;
        }
    }

    void calibrationChoice()
    {
        QFETCH(bool, analysis);
        QFETCH(QStringList, steps);
        QFETCH(int, panelsWithSliders);
        QFETCH(bool, calibrateEnabled);
        QMainWindow *window = showSession(analysis);
        auto *calibrate = window->findChild<QPushButton *>("pushButtonCalibrateWithControlPoints");

        for (const QString &step : steps) {
            if (step == "invert") {
                const bool slidersOn = ::panelsWithSliders(window) == 0;
                for (CameraSettings *panel : panels(window))
                    panel->setCameraSlidersEnabled(slidersOn);
                calibrate->setEnabled(!calibrate->isEnabled());
            } else {
                click(window, step == "manual" ? "calibrateManuallyRadioButton"
                                               : "calibrateUsingControlPointsRadioButton");
            }
        }
        QCOMPARE(::panelsWithSliders(window), panelsWithSliders);
        QCOMPARE(calibrate->isEnabled(), calibrateEnabled);
        QCOMPARE(window->findChild<QRadioButton *>("calibrateManuallyRadioButton")->isChecked(),
                 steps.last() == "manual");
    }

    void panelConfigurationButtonsDoNothing_data() { initialState_data(); }

    void panelConfigurationButtonsDoNothing()
    {
        QFETCH(bool, analysis);
        QMainWindow *window = showSession(analysis);
        click(window, "pushButtonShowGraph"); // the graph page, where a stray handler would show

        QStringList pressed;
        for (CameraSettings *panel : panels(window)) {
            for (const char *button : {"pushButton", "pushButton_2"}) {
                pressed << textOf(panel, button);
                click(panel, button);
            }
        }
        QCOMPARE(pressed.join(", "), QStringLiteral("Save configuration, Load configuration, "
                                                    "Save configuration, Load configuration"));
        QCOMPARE(pageOf(window, "stackedWidgetBottom"), 1);
        QCOMPARE(textOf(window, "pushButtonShowGraph"), QStringLiteral("Show metadata"));
        QCOMPARE(pageOf(window, "stackedWidgetVideos"), 1);
        QCOMPARE(liveTopLevelCount(), 1);
    }

    void openersGiveOneDialogPerRequest_data()
    {
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<QByteArray>("dialogClass");
        for (bool analysis : {false, true}) {
            row(analysis, "add") << QByteArray("AddCamera");
            row(analysis, "settings") << QByteArray("Settings");
        }
    }

    void openersGiveOneDialogPerRequest()
    {
        QFETCH(bool, analysis);
        QFETCH(QByteArray, dialogClass);
        QMainWindow *window = showSession(analysis);
        for (int i = 0; i < 2; ++i) {
            if (dialogClass == "Settings")
                QVERIFY(chooseFromMenuBar(window->menuBar(), "Tools", "Settings"));
            else
                click(window, "addCameraPushButton");
        }
        QCOMPARE(visibleWindows(dialogClass), 2);
        QVERIFY(window->isVisible());

        // A closed dialog goes away; the other one stays open.
        topLevels<QDialog>().first()->close();
        flushDeletions();
        QCOMPARE(visibleWindows(dialogClass), 1);
        QCOMPARE(liveTopLevelCount(), 2);
    }

    void startWindowHandsOver_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("files"); // chosen in the file dialog; 0 cancels it, -1: no dialog
        QTest::addColumn<QByteArray>("sessionClass");
        QTest::newRow("set up recording")
            << "commandLinkButtonSetUpRecording" << -1 << QByteArray("SetupRecordingWithMetadata");
        QTest::newRow("analyze, cancelled") << "commandLinkButtonAnalyze" << 0 << QByteArray("AnalyzeVideos");
        QTest::newRow("analyze, three files") << "commandLinkButtonAnalyze" << 3 << QByteArray("AnalyzeVideos");
    }

    void startWindowHandsOver()
    {
        QFETCH(QString, button);
        QFETCH(int, files);
        QFETCH(QByteArray, sessionClass);
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            paths << dir.filePath(QString("video%1.avi").arg(i));
            QFile(paths.last()).open(QIODevice::WriteOnly);
        }
        QPointer<MainWindow> start = new MainWindow;
        start->show();

        ModalAnswerer answerer(files > 0 ? ModalAnswerer::chooseFiles(paths) : ModalAnswerer::dismiss(),
                               files < 0 ? 0 : 5000);
        click(start, button);
        QCOMPARE(answerer.report().seen, files >= 0);
        if (files >= 0) {
            QCOMPARE(answerer.report().caption, QStringLiteral("Open video files"));
            QCOMPARE(answerer.report().directory, QStringLiteral("/home"));
        }
        QVERIFY(!start->isVisible());
        QCOMPARE(visibleTopLevelCount(), 1);
        QPointer<QMainWindow> session = visibleTopLevel<QMainWindow>();
        QVERIFY(session && session->inherits(sessionClass));

        // Closing the session window, the last visible one, ends the program
        // normally and takes the window with it; the start window stays alive.
        QTimer guard;
        connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QTimer::singleShot(0, session, &QWidget::close);
        QCOMPARE(QApplication::exec(), 0);
        flushDeletions();
        QVERIFY(session.isNull());
        QVERIFY(!start.isNull());
    }
};

TIVORO_TEST_MAIN(TestSessions)
#include "tst_sessions.moc"
