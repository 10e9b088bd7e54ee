#pragma once

#include "base/ScaledPicture.h"
#include "base/openingSize.h"
#include "panels/CalibrationChoice.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

// What the recording and the analysis windows share: the graph/metadata
// switch, start/stop, the calibration choice and the dialogs they open.
// The derived window sets up its own form and then hands its controls over.
class SessionWindow : public QMainWindow
{
    Q_OBJECT

protected:
    // The captions that hold the state. The derived window translates them
    // in its form's context, so that they are the very texts its form shows.
    struct Captions
    {
        QString start;
        QString stop;
        QString showGraph;
        QString showMetadata;
    };

    struct Controls
    {
        QPushButton *showGraph = nullptr;
        QStackedWidget *bottomPages = nullptr;
        QPushButton *startStop = nullptr;
        QPushButton *cancel = nullptr;
        QStackedWidget *videoPages = nullptr;
        QScrollArea *cameraArea = nullptr;
        QScrollArea *videoArea = nullptr;
        QWidget *firstVideo = nullptr;
        QWidget *firstCamera = nullptr; // its picture
        Captions captions;
        tivoro::CalibrationControls calibration;
        QPushButton *addCamera = nullptr;
        QAction *settings = nullptr;
    };

    explicit SessionWindow(QWidget *parent);

    // Both forms name their controls alike, so one template serves both.
    template <class Form>
    void drive(const Form &ui, const Captions &captions)
    {
        Controls c;
        c.showGraph = ui.pushButtonShowGraph;
        c.bottomPages = ui.stackedWidgetBottom;
        c.startStop = ui.pushButtonStartStop;
        c.cancel = ui.pushButtonCancelRecording;
        c.videoPages = ui.stackedWidgetVideos;
        c.cameraArea = ui.scrollArea;
        c.videoArea = ui.scrollArea_2;
        c.firstVideo = ui.frame_3;
        c.firstCamera =
            ui.cameraSettings1->template findChild<QWidget *>(QStringLiteral("sceneWidgetPlaceholderLabel"));
        c.captions = captions;
        c.calibration = {ui.calibrateManuallyRadioButton, ui.calibrateUsingControlPointsRadioButton,
                         ui.pushButtonCalibrateWithControlPoints, ui.cameraSettings1, ui.cameraSettings2};
        c.addCamera = ui.addCameraPushButton;
        c.settings = ui.actionSettings;
        for (QLabel *video : {ui.label_2, ui.label_3}) {
            tivoro::fitScaledPicture(video, tivoro::leastVideoScale);
            tivoro::shareScaledPicture(video);
        }
        tivoro::letShrinkToPictures(ui.scrollAreaWidgetContents);
        tivoro::letShrinkToPictures(ui.scrollAreaWidgetContents_2);
        connectControls(c);
        tivoro::openShowingWhole(this, {ui.scrollArea, ui.scrollArea_2}, c.firstCamera);
    }

private:
    void connectControls(const Controls &controls);

    void toggleGraphPage();
    void startOrStop();
    void openAddCamera();
    void openSettings();

    Controls m_controls;
    bool m_graphShownBefore = false;
};
