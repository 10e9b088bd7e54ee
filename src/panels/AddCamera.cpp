#include "panels/AddCamera.h"
#include "ui_AddCamera.h"

AddCamera::AddCamera(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AddCamera>())
{
    ui->setupUi(this);
}

AddCamera::~AddCamera() = default;
