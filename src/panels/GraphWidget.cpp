#include "panels/GraphWidget.h"
#include "ui_GraphWidget.h"

GraphWidget::GraphWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::GraphWidget>())
{
    ui->setupUi(this);
}

GraphWidget::~GraphWidget() = default;
