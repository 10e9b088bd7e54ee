#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class RecordingWindow;
}

// What is being recorded: both camera images, the activity graph and a zoom
// row. Nothing in it reacts yet beyond scrolling and resizing.
class RecordingWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit RecordingWindow(QWidget *parent = nullptr);
    ~RecordingWindow() override;

private:
    std::unique_ptr<Ui::RecordingWindow> ui;
};
