#include "panels/MetaWidget.h"
#include "ui_MetaWidget.h"

#include "panels/leaveWithCtrlTab.h"

#include <QtMath>

MetaWidget::MetaWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MetaWidget>())
{
    ui->setupUi(this);
    tivoro::leaveWithCtrlTab(ui->plainTextEdit);
    // "More information" may start two lines tall (it grows with the window
    // up to its designed height), so that a window holding this panel
    // leaves its pictures the room.
    QPlainTextEdit *more = ui->plainTextEdit;
    more->setMinimumHeight(2 * more->fontMetrics().lineSpacing() + 2 * more->frameWidth()
                           + 2 * qCeil(more->document()->documentMargin()));
}

MetaWidget::~MetaWidget() = default;
