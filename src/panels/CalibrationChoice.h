#pragma once

class CameraSettings;
class QObject;
class QPushButton;
class QRadioButton;

namespace tivoro {

// The calibration choice that every window with two camera panels offers:
// manual calibration switches both panels' sliders on and "Calibrate" off,
// control points the reverse. Each radio button acts only when it becomes
// checked; the panels are always driven first one, then two.
struct CalibrationControls
{
    QRadioButton *manual = nullptr;
    QRadioButton *controlPoints = nullptr;
    QPushButton *calibrate = nullptr;
    CameraSettings *first = nullptr;
    CameraSettings *second = nullptr;
};

void connectCalibrationChoice(QObject *context, const CalibrationControls &controls);

} // namespace tivoro
