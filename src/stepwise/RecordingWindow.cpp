#include "stepwise/RecordingWindow.h"
#include "ui_RecordingWindow.h"

RecordingWindow::RecordingWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::RecordingWindow>())
{
    ui->setupUi(this);
}

RecordingWindow::~RecordingWindow() = default;
