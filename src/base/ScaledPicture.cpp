#include "base/ScaledPicture.h"

#include "base/pictureOf.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace {

// Where QLabel draws its picture.
QRect pictureRect(const QLabel *label)
{
    const int margin = label->margin();
    return label->contentsRect().adjusted(margin, margin, -margin, -margin);
}

// Scaled as QLabel scales it, so the pixels are the same.
QPixmap scaledPicture(const QPixmap &picture, const QSize &size)
{
    const QString key =
        QStringLiteral("tivoro-scaled-%1-%2x%3").arg(picture.cacheKey()).arg(size.width()).arg(size.height());
    QPixmap scaled;
    if (!QPixmapCache::find(key, &scaled)) {
        scaled = QPixmap::fromImage(picture.toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QPixmapCache::insert(key, scaled);
    }
    return scaled;
}

// Paints in the label's place what QLabel paints for a scaled picture;
// anything else (text, no picture) the label still paints itself.
class ScaledPicturePainter : public QObject
{
public:
    explicit ScaledPicturePainter(QLabel *label)
        : QObject(label)
        , m_label(label)
    {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return watched == m_label && event->type() == QEvent::Paint && tivoro::paintScaledPicture(m_label);
    }

private:
    QLabel *m_label;
};

} // namespace

namespace tivoro {

void shareScaledPicture(QLabel *label)
{
    new ScaledPicturePainter(label);
}

QSize scaledPictureArea(const QLabel *label)
{
    return pictureRect(label).size();
}

QRect pictureArea(const QLabel *label)
{
    const QRect area = pictureRect(label);
    const QPixmap picture = pictureOf(label);
    if (label->hasScaledContents() || picture.isNull())
        return area;
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize(), area);
}

void prepareScaledPicture(const QPixmap &picture, const QSize &size)
{
    scaledPicture(picture, size);
}

bool paintScaledPicture(QLabel *label)
{
    // A framed label paints its frame first; that is left to the label.
    if (!label->hasScaledContents() || label->frameWidth() > 0)
        return false;
    const QPixmap picture = pictureOf(label);
    if (picture.isNull())
        return false;
    // No frame here; the style sheet borders of the parents are painted
    // with their background.
    const QRect area = pictureRect(label);
    const qreal ratio = label->devicePixelRatioF();
    QPixmap shown = scaledPicture(picture, area.size() * ratio);
    shown.setDevicePixelRatio(ratio);
    QStyle *style = label->style();
    if (!label->isEnabled()) {
        QStyleOption option;
        option.initFrom(label);
        shown = style->generatedIconPixmap(QIcon::Disabled, shown, &option);
    }
    QPainter painter(label);
    style->drawItemPixmap(&painter, area, int(QStyle::visualAlignment(label->layoutDirection(), label->alignment())),
                          shown);
    return true;
}

} // namespace tivoro
