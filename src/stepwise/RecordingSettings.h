#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class RecordingSettings;
}

// Where and how long to record, and the recording's metadata, before the
// cameras are set up.
class RecordingSettings : public QDialog
{
    Q_OBJECT

public:
    explicit RecordingSettings(QWidget *parent = nullptr);
    ~RecordingSettings() override;

private:
    void setUpCameras();
    void backToStart();

    std::unique_ptr<Ui::RecordingSettings> ui;
};
