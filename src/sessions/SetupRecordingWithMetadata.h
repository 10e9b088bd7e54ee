#pragma once

#include "sessions/SessionWindow.h"

#include <memory>

namespace Ui {
class SetupRecordingWithMetadata;
}

// The main work window of a recording session.
class SetupRecordingWithMetadata : public SessionWindow
{
    Q_OBJECT

public:
    explicit SetupRecordingWithMetadata(QWidget *parent = nullptr);
    ~SetupRecordingWithMetadata() override;

private:
    std::unique_ptr<Ui::SetupRecordingWithMetadata> ui;
};
