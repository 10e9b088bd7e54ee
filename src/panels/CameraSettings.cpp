#include "panels/CameraSettings.h"
#include "ui_CameraSettings.h"

CameraSettings::CameraSettings(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::CameraSettings>())
{
    ui->setupUi(this);
}

CameraSettings::~CameraSettings() = default;

void CameraSettings::setCameraSlidersEnabled(bool)
{
}

void CameraSettings::usingVideoFile()
{
}
