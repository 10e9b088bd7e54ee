#include "stepwise/SetupRecording.h"
#include "ui_SetupRecording.h"

#include "base/ScaledPicture.h"
#include "base/menuBarKeys.h"
#include "base/openWindow.h"
#include "base/openingSize.h"
#include "panels/AddCamera.h"
#include "panels/CalibrationChoice.h"
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
    tivoro::letShrinkToPictures(ui->scrollArea->widget());
    tivoro::openShowingWhole(this, {ui->scrollArea},
                             ui->cameraSettings1->findChild<QWidget *>(QStringLiteral("sceneWidgetPlaceholderLabel")));
    tivoro::keepSpare<AddCamera>(this);
    tivoro::keepSpare<RecordingSettings>(this);
    tivoro::keepSpare<RecordingWindow>(this);
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
