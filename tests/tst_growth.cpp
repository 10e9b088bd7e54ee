#include "support/Script.h"
#include "support/TestSupport.h"

#include "base/openWindow.h"

#include <algorithm>

using namespace tivoro::test;

// Opening and closing windows, again and again, must not leave widgets
// behind: every route opens its window through the handler a user would
// use and closes everything it opened.
class TestGrowth : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void openAndCloseRepeatedly_data();
    void openAndCloseRepeatedly();
};

void TestGrowth::openAndCloseRepeatedly_data()
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

void TestGrowth::openAndCloseRepeatedly()
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

TIVORO_TEST_MAIN(TestGrowth)
#include "tst_growth.moc"
