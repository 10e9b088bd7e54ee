#include "panels/AddCamera.h"
#include "ui_AddCamera.h"

AddCamera::AddCamera(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AddCamera>())
{
    ui->setupUi(this);
    // Nothing is added yet: both buttons just end the dialog.
    connect(ui->pushButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->pushButton_2, &QPushButton::clicked, this, &QWidget::close);
}

AddCamera::~AddCamera() = default;
