#include "panels/MetaWidget.h"
#include "ui_MetaWidget.h"

MetaWidget::MetaWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MetaWidget>())
{
    ui->setupUi(this);
}

MetaWidget::~MetaWidget() = default;
