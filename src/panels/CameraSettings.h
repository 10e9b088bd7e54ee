#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class CameraSettings;
}

// One camera's (or video file's) calibration panel.
class CameraSettings : public QWidget
{
    Q_OBJECT

public:
    explicit CameraSettings(QWidget *parent = nullptr);
    ~CameraSettings() override;

public slots:
    void setCameraSlidersEnabled(bool enabled);
    void usingVideoFile();

private:
    void showControlPointMenu(const QPoint &pos);

    std::unique_ptr<Ui::CameraSettings> ui;
};
