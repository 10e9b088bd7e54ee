#include "stepwise/RecordingWindow.h"
#include "ui_RecordingWindow.h"

#include "base/ScaledPicture.h"
#include "base/menuBarKeys.h"
#include "base/openingSize.h"

RecordingWindow::RecordingWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::RecordingWindow>())
{
    ui->setupUi(this);
    tivoro::enableMenuBarKeys(this);
    tivoro::shareScaledPicture(ui->label_3);
    tivoro::openShowingWhole(this, {ui->scrollArea});
}

RecordingWindow::~RecordingWindow() = default;
