#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AddCamera;
}

// Lets the user pick a camera to add.
class AddCamera : public QDialog
{
    Q_OBJECT

public:
    explicit AddCamera(QWidget *parent = nullptr);
    ~AddCamera() override;

private:
    std::unique_ptr<Ui::AddCamera> ui;
};
