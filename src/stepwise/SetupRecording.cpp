#include "stepwise/SetupRecording.h"
#include "ui_SetupRecording.h"

#include "panels/AddCamera.h"
#include "panels/CalibrationChoice.h"
#include "shell/menuBarKeys.h"
#include "shell/openWindow.h"
#include "shell/openingSize.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"

SetupRecording::SetupRecording(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::SetupRecording>())
{
    ui->setupUi(this);
    tivoro::enableMenuBarKeys(this);
    tivoro::connectCalibrationChoice(this,
                                     {ui->calibrateManuallyRadioButton, ui->calibrateUsingControlPointsRadioButton,
                                      ui->pushButtonCalibrateWithControlPoints, ui->cameraSettings1,
                                      ui->cameraSettings2});
    connect(ui->addCameraPushButton, &QPushButton::clicked, this, &SetupRecording::addCamera);
    connect(ui->pushButton_2, &QPushButton::clicked, this, &SetupRecording::backToMetadata);
    connect(ui->pushButton, &QPushButton::clicked, this, &SetupRecording::startRecording);
    tivoro::openShowingWhole(this, {ui->scrollArea}, ui->cameraSettings1);
}

SetupRecording::~SetupRecording() = default;

void SetupRecording::addCamera()
{
    tivoro::openWindow<AddCamera>();
}

void SetupRecording::backToMetadata()
{
    tivoro::handOver<RecordingSettings>(this);
}

void SetupRecording::startRecording()
{
    tivoro::handOver<RecordingWindow>(this);
}
