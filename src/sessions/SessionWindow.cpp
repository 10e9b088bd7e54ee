#include "sessions/SessionWindow.h"

#include "panels/AddCamera.h"
#include "shell/Settings.h"
#include "shell/openWindow.h"

#include <QAction>
#include <QPushButton>
#include <QStackedWidget>

namespace {

// Pages of the two stacked widgets, in the order of the forms.
constexpr int VideoPage = 0;
constexpr int CameraPage = 1;
constexpr int MetadataPage = 0;
constexpr int GraphPage = 1;

} // namespace

SessionWindow::SessionWindow(QWidget *parent)
    : QMainWindow(parent)
{
}

void SessionWindow::connectControls(const Controls &controls)
{
    m_controls = controls;
    connect(controls.showGraph, &QPushButton::clicked, this, &SessionWindow::toggleGraphPage);
    connect(controls.startStop, &QPushButton::clicked, this, &SessionWindow::startOrStop);
    tivoro::connectCalibrationChoice(this, controls.calibration);
    connect(controls.addCamera, &QPushButton::clicked, this, &SessionWindow::openAddCamera);
    connect(controls.settings, &QAction::triggered, this, &SessionWindow::openSettings);
}

// The captions are the only record of which page and which state is
// current; anything but the exact idle caption counts as the other state.
void SessionWindow::toggleGraphPage()
{
    QPushButton *button = m_controls.showGraph;
    if (button->text() == QLatin1String("Show graph")) {
        m_controls.bottomPages->setCurrentIndex(GraphPage);
        button->setText(QStringLiteral("Show metadata"));
    } else {
        m_controls.bottomPages->setCurrentIndex(MetadataPage);
        button->setText(QStringLiteral("Show graph"));
    }
}

void SessionWindow::startOrStop()
{
    const bool starting = m_controls.startStop->text() == m_controls.startText;
    m_controls.startStop->setText(starting ? m_controls.stopText : m_controls.startText);
    m_controls.cancel->setEnabled(starting);
    m_controls.videoPages->setCurrentIndex(starting ? VideoPage : CameraPage);
}

void SessionWindow::openAddCamera()
{
    tivoro::openWindow<AddCamera>();
}

void SessionWindow::openSettings()
{
    tivoro::openWindow<Settings>();
}
