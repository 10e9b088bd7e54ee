#include "base/openingSize.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVector>
#include <QtMath>

#include <utility>

namespace {

// What the areas miss of their contents' preferred size, in each direction.
QSize lackOf(const QVector<QPointer<QScrollArea>> &areas)
{
    QSize lack(0, 0);
    for (QScrollArea *area : areas) {
        if (area && area->widget() && area->isVisible())
            lack = lack.expandedTo(area->widget()->sizeHint() - area->viewport()->size());
    }
    return lack;
}

QSize viewportsOf(const QVector<QPointer<QScrollArea>> &areas)
{
    QSize size(0, 0);
    for (QScrollArea *area : areas) {
        if (area && area->isVisible())
            size = size.expandedTo(area->viewport()->size());
    }
    return size;
}

// A window's layout shares extra room among its rows by their stretch, so
// an area grows by only part of what the window grows; how much is learnt
// from each step. Runs on the first show, when every layout inside has its
// geometry and the window is not on screen yet.
void chooseSize(QWidget *window, const QVector<QPointer<QScrollArea>> &areas)
{
    // The window manager's frame is not known before the window is mapped;
    // a title bar's height is what most of them add.
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QSize limit =
        (window->screen()->availableGeometry().size() - QSize(0, titleBar)).expandedTo(window->minimumSize());
    if (window->width() > limit.width() || window->height() > limit.height())
        window->resize(window->size().boundedTo(limit));

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
        const QSize gained = viewportsOf(areas) - viewports;
        const QSize grown = window->size() - before;
        if (gained.width() > 0 && grown.width() > 0)
            perPixelX = qMax<qreal>(1, qreal(grown.width()) / gained.width());
        if (gained.height() > 0 && grown.height() > 0)
            perPixelY = qMax<qreal>(1, qreal(grown.height()) / gained.height());
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
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            chooseSize(static_cast<QWidget *>(watched), m_areas);
            bringIntoView();
            deleteLater();
        }
        return false;
    }

private:
    void bringIntoView()
    {
        if (!m_seenFirst)
            return;
        for (QScrollArea *area : std::as_const(m_areas)) {
            if (area && area->isVisible() && area->widget() && area->widget()->isAncestorOf(m_seenFirst))
                area->ensureWidgetVisible(m_seenFirst, 0, 0);
        }
    }

    QVector<QPointer<QScrollArea>> m_areas;
    QPointer<QWidget> m_seenFirst;
};

} // namespace

namespace tivoro {

void openShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst)
{
    new OpeningSize(window, areas, seenFirst);
}

} // namespace tivoro
