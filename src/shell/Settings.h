#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class Settings;
}

// Application settings; shows fixed defaults and stores nothing yet.
class Settings : public QDialog
{
    Q_OBJECT

public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

private:
    void chooseGraphBackgroundColor();

    std::unique_ptr<Ui::Settings> ui;
};
