#include "sessions/SessionWindow.h"

#include "base/menuBarKeys.h"
#include "base/openWindow.h"
#include "panels/AddCamera.h"
#include "shell/Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>

#include <utility>

namespace {

// Pages of the two stacked widgets, in the order of the forms.
constexpr int VideoPage = 0;
constexpr int CameraPage = 1;
constexpr int MetadataPage = 0;
constexpr int GraphPage = 1;

// A button whose caption toggles keeps one width, wide enough for each of
// its captions; otherwise a longer one (as translations have) is cut or
// moves its neighbours.
void fitCaptions(QPushButton *button, const QStringList &captions)
{
    const QString shown = button->text();
    int width = button->minimumWidth();
    for (const QString &caption : captions) {
        button->setText(caption);
        width = qMax(width, button->sizeHint().width());
    }
    button->setText(shown);
    button->setMinimumWidth(width);
}

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
    // of posted layout requests; settled here, the page's first paint is
    // already laid out. A window not shown yet is laid out when it shows.
    if (!pages->isVisible())
        return;
    for (int round = 0; round < 4; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

} // namespace

SessionWindow::SessionWindow(QWidget *parent)
    : QMainWindow(parent)
{
    tivoro::keepSpare<Settings>(this);
    tivoro::keepSpare<AddCamera>(this);
}

void SessionWindow::connectControls(const Controls &controls)
{
    m_controls = controls;
    tivoro::enableMenuBarKeys(this);
    fitCaptions(controls.showGraph, {controls.captions.showGraph, controls.captions.showMetadata});
    fitCaptions(controls.startStop, {controls.captions.start, controls.captions.stop});
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
    const Captions &captions = m_controls.captions;
    if (button->text() == captions.showGraph) {
        m_controls.bottomPages->setCurrentIndex(GraphPage);
        button->setText(captions.showMetadata);
        // The graph takes room from the cameras; the first time, the window
        // grows to give it back where the screen allows.
        if (!std::exchange(m_graphShownBefore, true))
            tivoro::growShowingWhole(this, {m_controls.cameraArea, m_controls.videoArea}, m_controls.firstCamera);
    } else {
        m_controls.bottomPages->setCurrentIndex(MetadataPage);
        button->setText(captions.showGraph);
    }
}

void SessionWindow::startOrStop()
{
    const Captions &captions = m_controls.captions;
    const bool starting = m_controls.startStop->text() == captions.start;
    m_controls.startStop->setText(starting ? captions.stop : captions.start);
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
