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
    // Manual calibration on (true) or calibration by control points: the
    // sliders, their number fields and the parameters label follow
    // `enabled`, the clear-control-points button and its tip the opposite.
    void setCameraSlidersEnabled(bool enabled);
    void usingVideoFile();

private:
    void showControlPointMenu(const QPoint &pos);

    std::unique_ptr<Ui::CameraSettings> ui;
};
