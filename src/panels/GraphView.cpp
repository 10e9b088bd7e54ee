#include "panels/GraphView.h"

#include "base/pictureOf.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace {
constexpr int maximumZoom = 8;
}

GraphView::GraphView(QWidget *parent)
    : QWidget(parent)
{
}

GraphView::~GraphView() = default;

void GraphView::attach(QLabel *picture, QScrollBar *scrollBar)
{
    // Time runs left to right in any language: the picture and its scroll
    // bar are not mirrored in a right-to-left layout, and the window's
    // offset always counts from the left end.
    picture->setLayoutDirection(Qt::LeftToRight);
    scrollBar->setLayoutDirection(Qt::LeftToRight);
    m_picture = picture;
    m_original = tivoro::pictureOf(picture);
    m_zoomed = m_original;
    // The label's width is the window's width, and away from the left end
    // the view paints the label's window of the picture.
    picture->installEventFilter(this);
    // Zoom and scrolling move the picture sideways only, so the view is
    // always as tall as the whole picture with its layout's margins.
    setMinimumHeight(qMax(minimumHeight(), layout() ? layout()->sizeHint().height() : m_original.height()));
    m_scrollBar = scrollBar;
    connect(scrollBar, &QScrollBar::valueChanged, this, &GraphView::setOffset);
    updateScrollBar();
}

void GraphView::zoomIn()
{
    setZoom(qMin(m_zoom * 2, maximumZoom));
}

void GraphView::zoomOut()
{
    setZoom(qMax(m_zoom / 2, 1));
}

void GraphView::scrollLeft()
{
    setOffset(m_offset - visibleWidth() / 2);
}

void GraphView::scrollRight()
{
    setOffset(m_offset + visibleWidth() / 2);
}

bool GraphView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture) {
        if (event->type() == QEvent::Resize) {
            setOffset(m_offset); // a wider window may no longer fit at the old position
        } else if (event->type() == QEvent::Paint && m_offset > 0) {
            paintWindow();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GraphView::paintWindow()
{
    // Drawn as the label draws its picture, only from the window's left
    // edge; the style clips the source to what the label shows.
    QPainter painter(m_picture);
    const QRect window = m_picture->contentsRect().adjusted(-m_offset, 0, 0, 0);
    m_picture->style()->drawItemPixmap(
        &painter, window, int(QStyle::visualAlignment(m_picture->layoutDirection(), m_picture->alignment())), m_zoomed);
}

void GraphView::setZoom(int zoom)
{
    if (!m_picture || zoom == m_zoom)
        return;
    // Keep the middle of the window on the same moment of the graph.
    const int half = visibleWidth() / 2;
    const int middle = (m_offset + half) * zoom / m_zoom;
    m_zoom = zoom;
    // Scaled once here, so that painting and scrolling stay cheap.
    m_zoomed = zoom == 1 ? m_original
                         : m_original.scaled(m_original.width() * zoom, m_original.height(), Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
    m_picture->setPixmap(m_zoomed);
    setOffset(middle - half);
}

void GraphView::setOffset(int offset)
{
    if (!m_picture)
        return;
    offset = qBound(0, offset, maximumOffset());
    if (offset != m_offset) {
        m_offset = offset;
        m_picture->update();
    }
    updateScrollBar();
}

void GraphView::updateScrollBar()
{
    if (!m_scrollBar)
        return;
    // Its own valueChanged would come straight back here mid-update.
    const QSignalBlocker blocker(m_scrollBar);
    const int page = qMax(1, visibleWidth());
    m_scrollBar->setRange(0, maximumOffset());
    m_scrollBar->setPageStep(page);
    m_scrollBar->setSingleStep(qMax(1, page / 10));
    m_scrollBar->setValue(m_offset);
}

int GraphView::visibleWidth() const
{
    return m_picture ? m_picture->width() : 0;
}

int GraphView::maximumOffset() const
{
    return qMax(0, m_original.width() * m_zoom - visibleWidth());
}
