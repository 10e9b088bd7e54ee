#include "sessions/SetupRecordingWithMetadata.h"
#include "ui_SetupRecordingWithMetadata.h"

SetupRecordingWithMetadata::SetupRecordingWithMetadata(QWidget *parent)
    : SessionWindow(parent)
    , ui(std::make_unique<Ui::SetupRecordingWithMetadata>())
{
    ui->setupUi(this);
    drive(*ui, QStringLiteral("Start recording"), QStringLiteral("Stop recording"));
}

SetupRecordingWithMetadata::~SetupRecordingWithMetadata() = default;
