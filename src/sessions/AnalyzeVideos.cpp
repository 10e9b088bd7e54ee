#include "sessions/AnalyzeVideos.h"
#include "ui_AnalyzeVideos.h"

AnalyzeVideos::AnalyzeVideos(QWidget *parent)
    : SessionWindow(parent)
    , ui(std::make_unique<Ui::AnalyzeVideos>())
{
    ui->setupUi(this);
    drive(*ui, {tr("Start analyzing"), tr("Stop analyzing"), tr("Show graph"), tr("Show metadata")});
    // Both panels show video files here, not cameras; before the first show.
    ui->cameraSettings1->usingVideoFile();
    ui->cameraSettings2->usingVideoFile();
}

AnalyzeVideos::~AnalyzeVideos() = default;
