#include "stepwise/RecordingSettings.h"
#include "ui_RecordingSettings.h"

#include "base/openWindow.h"
#include "shell/MainWindow.h"
#include "stepwise/SetupRecording.h"

RecordingSettings::RecordingSettings(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::RecordingSettings>())
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &RecordingSettings::setUpCameras);
    connect(ui->pushButton_3, &QPushButton::clicked, this, &RecordingSettings::backToStart);
    tivoro::keepSpare<SetupRecording>(this);
    tivoro::keepSpare<MainWindow>(this);
}

RecordingSettings::~RecordingSettings() = default;

void RecordingSettings::setUpCameras()
{
    tivoro::handOver<SetupRecording>(this);
}

void RecordingSettings::backToStart()
{
    // Always a fresh start window: the one this flow began from may be gone.
    tivoro::handOver<MainWindow>(this);
}
