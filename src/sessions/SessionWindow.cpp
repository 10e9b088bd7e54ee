#include "sessions/SessionWindow.h"

#include "panels/AddCamera.h"
#include "shell/Settings.h"
#include "shell/openWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>

namespace {

// Pages of the two stacked widgets, in the order of the forms.
constexpr int VideoPage = 0;
constexpr int CameraPage = 1;
constexpr int MetadataPage = 0;
constexpr int GraphPage = 1;

// A stacked widget asks for the room of its largest page, shown or not.
// The bottom area asks only for the page it shows, so that the video area
// above keeps its share of the window.
void askForCurrentPageOnly(QStackedWidget *pages)
{
    for (int i = 0; i < pages->count(); ++i) {
        const auto policy = i == pages->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        pages->widget(i)->setSizePolicy(policy, policy);
    }
    // The new room reaches the window's layout one nesting level per round
    // of posted layout requests; settled now, the page's first paint is
    // already laid out.
    for (int round = 0; round < 4; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

} // namespace

SessionWindow::SessionWindow(QWidget *parent)
    : QMainWindow(parent)
{
}

void SessionWindow::connectControls(const Controls &controls)
{
    m_controls = controls;
    connect(controls.showGraph, &QPushButton::clicked, this, &SessionWindow::toggleGraphPage);
    askForCurrentPageOnly(controls.bottomPages);
    connect(controls.bottomPages, &QStackedWidget::currentChanged, controls.bottomPages,
            [pages = controls.bottomPages] { askForCurrentPageOnly(pages); });
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
    // On a screen too small for both pictures, the first camera's is the
    // one brought into view, once the page has its geometry.
    if (starting) {
        QTimer::singleShot(0, m_controls.videoArea, [area = m_controls.videoArea, first = m_controls.firstVideo] {
            area->ensureWidgetVisible(first, 0, 0);
        });
    }
}

void SessionWindow::openAddCamera()
{
    tivoro::openWindow<AddCamera>();
}

void SessionWindow::openSettings()
{
    tivoro::openWindow<Settings>();
}
