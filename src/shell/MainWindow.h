#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

// The start window: every workflow begins here.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    void openSettings();
    void setUpRecordingSession();
    void analyzeVideoFiles();
    void openAnalyzedProject();

    std::unique_ptr<Ui::MainWindow> ui;
};
