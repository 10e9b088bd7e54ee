#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

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

    // What the panel's first showing needs made beforehand, as pieces of
    // work; `window` gives the device pixel ratio.
    static std::vector<std::function<void()>> prepareFirstUse(const QWidget *window);

private:
    std::unique_ptr<Ui::GraphWidget> ui;
};
