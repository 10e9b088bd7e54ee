#include "sessions/SetupRecordingWithMetadata.h"
#include "ui_SetupRecordingWithMetadata.h"

SetupRecordingWithMetadata::SetupRecordingWithMetadata(QWidget *parent)
    : SessionWindow(parent)
    , ui(std::make_unique<Ui::SetupRecordingWithMetadata>())
{
    ui->setupUi(this);
    drive(*ui, {tr("Start recording"), tr("Stop recording"), tr("Show graph"), tr("Show metadata")});
}

SetupRecordingWithMetadata::~SetupRecordingWithMetadata() = default;
