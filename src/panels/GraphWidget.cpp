#include "panels/GraphWidget.h"
#include "ui_GraphWidget.h"

#include "panels/leaveWithCtrlTab.h"
GraphWidget::GraphWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::GraphWidget>())
{
    ui->setupUi(this);
    tivoro::leaveWithCtrlTab(ui->plainTextEditMarker);
    ui->graph->attach(ui->label, ui->horizontalScrollBar);
    connect(ui->buttonZoomOut, &QPushButton::clicked, ui->graph, &GraphView::zoomOut);
    connect(ui->buttonNext, &QPushButton::clicked, ui->graph, &GraphView::scrollRight);
    connect(ui->buttonPrevious, &QPushButton::clicked, ui->graph, &GraphView::scrollLeft);
    connect(ui->buttonZoomIn, &QPushButton::clicked, ui->graph, &GraphView::zoomIn);
}

GraphWidget::~GraphWidget() = default;
