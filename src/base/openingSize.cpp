#include "base/openingSize.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVector>
#include <QtMath>

#include <utility>

namespace {

// Shown with its window; the window itself may still be hidden.
bool shown(const QScrollArea *area)
{
    return area && area->isVisibleTo(area->window());
}

// A hidden window is laid out only when it is shown or drawn; drawing a
// single pixel aside lays out the whole of it at once.
void layOut(QWidget *window)
{
    if (window->isVisible())
        return;
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    window->render(&pixel, QPoint(), QRegion(0, 0, 1, 1));
}

// What the areas miss of their contents' preferred size, in each direction.
QSize lackOf(const QVector<QPointer<QScrollArea>> &areas)
{
    QSize lack(0, 0);
    for (QScrollArea *area : areas) {
        if (shown(area) && area->widget())
            lack = lack.expandedTo(area->widget()->sizeHint() - area->viewport()->size());
    }
    return lack;
}

QSize viewportsOf(const QVector<QPointer<QScrollArea>> &areas)
{
    QSize size(0, 0);
    for (QScrollArea *area : areas) {
        if (shown(area))
            size = size.expandedTo(area->viewport()->size());
    }
    return size;
}

// The screen's available area, less the title bar that the window manager
// adds: its frame is not known before the window is mapped, and a title
// bar's height is what most of them add.
QSize roomFor(const QWidget *window)
{
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return (window->screen()->availableGeometry().size() - QSize(0, titleBar)).expandedTo(window->minimumSize());
}

// A window's layout shares extra room among its rows by their stretch, so
// an area grows by only part of what the window grows; how much is learnt
// from each step. The window only grows, up to `limit`.
void growWithin(QWidget *window, const QVector<QPointer<QScrollArea>> &areas, const QSize &limit)
{
    qreal perPixelX = 1;
    qreal perPixelY = 1;
    for (int step = 0; step < 6; ++step) {
        const QSize lack = lackOf(areas);
        if (lack.width() <= 0 && lack.height() <= 0)
            return;
        const QSize before = window->size();
        const QSize wanted(before.width() + qCeil(qMax(0, lack.width()) * perPixelX),
                           before.height() + qCeil(qMax(0, lack.height()) * perPixelY));
        const QSize next = wanted.boundedTo(limit).expandedTo(before);
        if (next == before)
            return;
        const QSize viewports = viewportsOf(areas);
        window->resize(next);
        layOut(window);
        const QSize gained = viewportsOf(areas) - viewports;
        const QSize grown = window->size() - before;
        if (gained.width() > 0 && grown.width() > 0)
            perPixelX = qMax<qreal>(1, qreal(grown.width()) / gained.width());
        if (gained.height() > 0 && grown.height() > 0)
            perPixelY = qMax<qreal>(1, qreal(grown.height()) / gained.height());
    }
}

// Runs before the window is first on screen.
void chooseSize(QWidget *window, const QVector<QPointer<QScrollArea>> &areas)
{
    layOut(window);
    const QSize limit = roomFor(window);
    if (window->width() > limit.width() || window->height() > limit.height())
        window->resize(window->size().boundedTo(limit));
    growWithin(window, areas, limit);
}

void bringIntoView(const QVector<QPointer<QScrollArea>> &areas, QWidget *seenFirst)
{
    if (!seenFirst)
        return;
    for (QScrollArea *area : areas) {
        if (shown(area) && area->widget() && area->widget()->isAncestorOf(seenFirst)) {
            // Its whole rectangle: ensureWidgetVisible() would settle for a
            // widget's text cursor, which a picture puts where its menu opens.
            const QRect whole(seenFirst->mapTo(area->widget(), QPoint(0, 0)), seenFirst->size());
            area->ensureVisible(whole.center().x(), whole.center().y(), whole.width() / 2, whole.height() / 2);
        }
    }
}

class OpeningSize : public QObject
{
public:
    OpeningSize(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst)
        : QObject(window)
        , m_seenFirst(seenFirst)
    {
        for (QScrollArea *area : areas)
            m_areas << area;
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            chooseNow();
        return false;
    }

public:
    void chooseNow()
    {
        auto *window = static_cast<QWidget *>(parent());
        window->removeEventFilter(this);
        chooseSize(window, m_areas);
        bringIntoView(m_areas, m_seenFirst);
        deleteLater();
    }

private:
    QVector<QPointer<QScrollArea>> m_areas;
    QPointer<QWidget> m_seenFirst;
};

} // namespace

namespace tivoro {

void openShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst)
{
    new OpeningSize(window, areas, seenFirst);
}

void chooseOpeningSize(QWidget *window)
{
    const QObjectList children = window->children();
    for (QObject *child : children) {
        if (auto *opening = dynamic_cast<OpeningSize *>(child))
            return opening->chooseNow();
    }
    layOut(window); // as large as its layout needs, as showing it makes it
}

void growShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst)
{
    if (!window->isVisible())
        return; // it chooses its size when it shows
    QVector<QPointer<QScrollArea>> shown;
    for (QScrollArea *area : areas)
        shown << area;
    const QRect before = window->geometry();
    const QRect free = window->screen()->availableGeometry();
    growWithin(window, shown, roomFor(window).expandedTo(before.size()));
    // Grown downwards past the screen's edge, it moves up instead.
    const QRect frame = window->frameGeometry();
    if (frame.bottom() > free.bottom() && window->geometry() != before)
        window->move(window->x(), qMax(free.top(), window->y() - (frame.bottom() - free.bottom())));
    // Once the panels inside have laid themselves out in their new room.
    QTimer::singleShot(0, window, [shown, first = QPointer<QWidget>(seenFirst)] { bringIntoView(shown, first); });
}

} // namespace tivoro
