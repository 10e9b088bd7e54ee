#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class GraphWidget;
}

// The activity graph panel.
class GraphWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GraphWidget(QWidget *parent = nullptr);
    ~GraphWidget() override;

private:
    std::unique_ptr<Ui::GraphWidget> ui;
};
