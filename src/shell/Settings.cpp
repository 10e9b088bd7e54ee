#include "shell/Settings.h"
#include "ui_Settings.h"

#include "shell/openWindow.h"

#include <QColorDialog>

Settings::Settings(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::Settings>())
{
    ui->setupUi(this);
    connect(ui->pushButton_2, &QPushButton::clicked, this, &Settings::chooseGraphBackgroundColor);
}

Settings::~Settings() = default;

void Settings::chooseGraphBackgroundColor()
{
    // The chosen colour is not applied yet.
    tivoro::openWindow<QColorDialog>();
}
