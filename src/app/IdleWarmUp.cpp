#include "app/IdleWarmUp.h"

#include "panels/ScaledPicture.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimerEvent>
#include <QWidget>

namespace {

// The camera panels' scene area as their form lays it out, and the fixed
// length of their horizontal sliders (the vertical ones run its height).
constexpr QSize sceneArea(461, 351);
constexpr int horizontalSliderLength = 431;

// Loaded as the forms load them (and kept by the toolkit's picture cache,
// which their own loads then hit).
QPixmap picture(const char *path)
{
    return QPixmap(QString::fromLatin1(path));
}

// Loads the font's engine as widgets measure with it, and rasterises every
// printable ASCII character at one of the sub-pixel positions that text is
// drawn at.
void prepareGlyphs(const QFont &font, qreal subPixel)
{
    static const QString printable = [] {
        QString text;
        for (char c = ' '; c <= '~'; ++c)
            text += QLatin1Char(c);
        return text;
    }();
    QFontMetrics(font).horizontalAdvance(printable);
    QImage canvas(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.drawText(QPointF(subPixel, 0), printable);
}

// The style draws a slider's groove and handle once per size and state
// and keeps them in the picture cache; drawing them here, as a slider of
// the form at rest in a window that is or is not active draws them, fills
// the entries the panels look up.
void prepareSlider(Qt::Orientation orientation, bool activeWindow, qreal pixelRatio)
{
    QStyle *style = QApplication::style();
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.state = QStyle::State_Enabled;
    if (orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    if (activeWindow)
        option.state |= QStyle::State_Active;
    option.direction = QApplication::layoutDirection();
    option.palette = QApplication::palette("QSlider");
    option.palette.setCurrentColorGroup(activeWindow ? QPalette::Active : QPalette::Inactive);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    const int thickness = style->pixelMetric(QStyle::PM_SliderThickness, &option);
    option.rect = orientation == Qt::Horizontal ? QRect(0, 0, horizontalSliderLength, thickness)
                                                : QRect(0, 0, thickness, sceneArea.height());
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(pixelRatio);
    QPainter painter(&canvas);
    style->drawComplexControl(QStyle::CC_Slider, &option, &painter);
}

QFont formFont(int pointSize, bool bold)
{
    QFont font = QApplication::font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

IdleWarmUp::IdleWarmUp(QWidget *startWindow)
    : QObject(startWindow)
    , m_window(startWindow)
{
    m_pieces = {
        [this] { m_scene = picture(":/pictures/tivoroScene.png"); },
        [] { picture(":/pictures/graph.png"); },
        [this] {
            tivoro::prepareScaledPicture(m_scene, sceneArea * m_window->devicePixelRatioF());
            m_scene = QPixmap();
        },
    };
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        for (bool activeWindow : {false, true}) {
            m_pieces.emplace_back([this, orientation, activeWindow] {
                prepareSlider(orientation, activeWindow, m_window->devicePixelRatioF());
            });
        }
    }
    // The text of every form in the application font, and of the activity
    // graph panel in its two sizes of its own.
    for (const QFont &font : {formFont(0, false), formFont(11, false), formFont(15, true)}) {
        for (qreal subPixel : {0.0, 0.25, 0.5, 0.75})
            m_pieces.emplace_back([font, subPixel] { prepareGlyphs(font, subPixel); });
    }
    startWindow->installEventFilter(this);
}

bool IdleWarmUp::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (watched == m_window && !m_started)
            start();
        break;
    case QEvent::Enter:
        if (watched == m_window)
            start();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
    case QEvent::Wheel:
        stop();
        break;
    default:
        break;
    }
    return false;
}

void IdleWarmUp::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QObject::timerEvent(event);
    m_pieces[m_next++]();
    if (m_next == m_pieces.size()) {
        stop();
        emit finished();
    }
}

void IdleWarmUp::start()
{
    m_started = true;
    if (m_timer.isActive())
        return;
    m_next = 0;
    qApp->installEventFilter(this); // to see input for any window
    m_timer.start(0, this);
}

void IdleWarmUp::stop()
{
    m_timer.stop();
    m_scene = QPixmap();
    qApp->removeEventFilter(this);
}
