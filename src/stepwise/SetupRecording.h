#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class SetupRecording;
}

// Camera setup step of the step-by-step recording flow: two camera panels
// and the calibration choice, between the recording settings and the
// recording view.
class SetupRecording : public QMainWindow
{
    Q_OBJECT

public:
    explicit SetupRecording(QWidget *parent = nullptr);
    ~SetupRecording() override;

private:
    void addCamera();
    void backToMetadata();
    void startRecording();

    std::unique_ptr<Ui::SetupRecording> ui;
};
