#include "panels/CalibrationChoice.h"

#include "panels/CameraSettings.h"

#include <QPushButton>
#include <QRadioButton>

namespace tivoro {

void connectCalibrationChoice(QObject *context, const CalibrationControls &c)
{
    auto choose = [c](bool manual) {
        c.first->setCameraSlidersEnabled(manual);
        c.second->setCameraSlidersEnabled(manual);
        c.calibrate->setEnabled(!manual);
    };
    QObject::connect(c.manual, &QRadioButton::toggled, context, [choose](bool checked) {
        if (checked)
            choose(true);
    });
    QObject::connect(c.controlPoints, &QRadioButton::toggled, context, [choose](bool checked) {
        if (checked)
            choose(false);
    });
}

} // namespace tivoro
