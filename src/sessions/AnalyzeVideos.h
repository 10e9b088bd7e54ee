#pragma once

#include "sessions/SessionWindow.h"

#include <memory>

namespace Ui {
class AnalyzeVideos;
}

// The main work window for analysing recorded video files.
class AnalyzeVideos : public SessionWindow
{
    Q_OBJECT

public:
    explicit AnalyzeVideos(QWidget *parent = nullptr);
    ~AnalyzeVideos() override;

private:
    std::unique_ptr<Ui::AnalyzeVideos> ui;
};
