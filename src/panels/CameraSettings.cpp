#include "panels/CameraSettings.h"
#include "ui_CameraSettings.h"

#include "base/ScaledPicture.h"

#include <QLayout>
#include <QMenu>

namespace {

struct SliderField
{
    QSlider *slider;
    QLineEdit *field;
};

// A typed value moves the slider, clamped to its range. Anything that is
// not a number counts as 0; a clamped value is written back so the field
// never shows a number the slider cannot hold.
void applyTypedValue(const SliderField &pair, const QString &text)
{
    const int typed = text.toInt();
    const int bounded = qBound(pair.slider->minimum(), typed, pair.slider->maximum());
    pair.slider->setValue(bounded);
    if (bounded != typed)
        pair.field->setText(QString::number(bounded));
}

// The picture and the sliders along its edges, which are as long as the
// picture at its largest, shrink together.
void scaleWithRoom(Ui::CameraSettings &ui)
{
    tivoro::fitScaledPicture(ui.sceneWidgetPlaceholderLabel, tivoro::leastVideoScale);
    for (QSlider *slider : {ui.heightSlider, ui.xRotSlider, ui.zRotSlider, ui.yRotSlider})
        slider->setMinimumHeight(qRound(slider->minimumHeight() * tivoro::leastVideoScale));
    for (QSlider *slider : {ui.fovSlider, ui.horizontalSlider})
        slider->setMinimumWidth(qRound(slider->minimumWidth() * tivoro::leastVideoScale));
}

} // namespace

CameraSettings::CameraSettings(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::CameraSettings>())
{
    ui->setupUi(this);
    // The picture stands for live video and scales to the room the window
    // gives it: the panel may be as small as its layout allows with the
    // picture at its least, measured with the fonts in use when it shows.
    scaleWithRoom(*ui);
    setMinimumSize(0, 0);

    const SliderField pairs[] = {
        {ui->heightSlider, ui->heightLineEdit}, {ui->xRotSlider, ui->xRotLineEdit},
        {ui->zRotSlider, ui->zRotLineEdit},     {ui->yRotSlider, ui->yRotLineEdit},
        {ui->fovSlider, ui->fovLineEdit},       {ui->horizontalSlider, ui->lineEdit},
    };
    for (const SliderField &pair : pairs) {
        connect(pair.slider, &QSlider::valueChanged, pair.field,
                [field = pair.field](int value) { field->setText(QString::number(value)); });
        // textEdited only: text that the slider writes must not come back.
        connect(pair.field, &QLineEdit::textEdited, pair.slider,
                [pair](const QString &text) { applyTypedValue(pair, text); });
    }

    connect(ui->sceneWidgetPlaceholderLabel, &QLabel::customContextMenuRequested, this,
            &CameraSettings::showControlPointMenu);
}

CameraSettings::~CameraSettings() = default;

void CameraSettings::setCameraSlidersEnabled(bool enabled)
{
    const std::initializer_list<QWidget *> manualControls = {
        ui->heightSlider, ui->xRotSlider,     ui->yRotSlider,        ui->zRotSlider,
        ui->fovSlider,    ui->heightLineEdit, ui->xRotLineEdit,      ui->yRotLineEdit,
        ui->zRotLineEdit, ui->fovLineEdit,    ui->cameraParamsLabel,
    };
    for (QWidget *w : manualControls)
        w->setEnabled(enabled);
    ui->clearControlPointsBtn->setEnabled(!enabled);
    ui->controlPointsTipLabel->setEnabled(!enabled);
}

void CameraSettings::usingVideoFile()
{
    ui->removeCameraBtn->setText(tr("Remove this video"));
    // Forget the pointers at once, so that a second call finds nothing left
    // to delete.
    if (ui->labelResolution) {
        ui->labelResolution->deleteLater();
        ui->labelResolution = nullptr;
    }
    if (ui->comboBoxResolution) {
        ui->comboBoxResolution->deleteLater();
        ui->comboBoxResolution = nullptr;
    }
}

void CameraSettings::showControlPointMenu(const QPoint &pos)
{
    // Control points are not placed yet: the choice is offered, not used.
    QMenu menu;
    for (const char *entry : {QT_TR_NOOP("Add red control point"), QT_TR_NOOP("Add blue control point"),
                              QT_TR_NOOP("Add yellow control point"), QT_TR_NOOP("Add green control point"),
                              QT_TR_NOOP("Add orange control point"), QT_TR_NOOP("Add purple control point")})
        menu.addAction(tr(entry));
    menu.exec(ui->sceneWidgetPlaceholderLabel->mapToGlobal(pos));
}
