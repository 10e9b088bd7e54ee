#include "shell/Settings.h"
#include "ui_Settings.h"

#include "base/openWindow.h"

#include <QColorDialog>

Settings::Settings(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::Settings>())
{
    ui->setupUi(this);
    // A view without a scene never paints its background brush; show the
    // swatch colour through the viewport instead.
    for (QGraphicsView *swatch : {ui->graphicsView, ui->graphicsView_2, ui->graphicsView_3}) {
        QPalette palette = swatch->palette();
        palette.setBrush(QPalette::Base, swatch->backgroundBrush());
        swatch->setPalette(palette);
    }
    connect(ui->pushButton_2, &QPushButton::clicked, this, &Settings::chooseGraphBackgroundColor);
}

Settings::~Settings() = default;

void Settings::chooseGraphBackgroundColor()
{
    // The chosen colour is not applied yet.
    tivoro::openWindow<QColorDialog>();
}
