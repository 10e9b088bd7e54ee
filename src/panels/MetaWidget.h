#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class MetaWidget;
}

// The recording metadata panel.
class MetaWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MetaWidget(QWidget *parent = nullptr);
    ~MetaWidget() override;

private:
    std::unique_ptr<Ui::MetaWidget> ui;
};
