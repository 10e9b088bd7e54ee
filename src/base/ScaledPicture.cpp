#include "base/ScaledPicture.h"

#include "base/pictureOf.h"

#include <QEvent>
#include <QLabel>
#include <QList>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace {

const char *const keepsAspect = "tivoroKeepsAspect";

// Where QLabel draws its picture; a picture that keeps its aspect ratio
// takes the largest part of that room, placed by the label's alignment.
QRect pictureRect(const QLabel *label)
{
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    if (!label->property(keepsAspect).toBool())
        return room;
    const QPixmap picture = tivoro::pictureOf(label);
    if (picture.isNull())
        return room;
    const QSize fitted = picture.size().scaled(room.size(), Qt::KeepAspectRatio);
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), fitted, room);
}

// Scaled as QLabel scales it, so the pixels are the same.
QPixmap scaledPicture(const QPixmap &picture, const QSize &size)
{
    if (size == picture.size())
        return picture; // at its own size, as a picture standing for video often is
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

void fitScaledPicture(QLabel *label, double least)
{
    const QPixmap picture = pictureOf(label);
    // A form may have set the size it shows the picture at.
    const QSize natural =
        (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize().boundedTo(label->maximumSize());
    label->setProperty(keepsAspect, true);
    label->setScaledContents(true);
    label->setMinimumSize((QSizeF(natural) * least).toSize());
    label->setMaximumSize(natural);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignCenter);
}

void letShrinkToPictures(QWidget *contents)
{
    const auto shrinking = [](QSizePolicy::Policy policy) {
        return policy == QSizePolicy::Minimum ? QSizePolicy::Preferred : policy;
    };
    const QList<QLabel *> labels = contents->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (!label->property(keepsAspect).toBool())
            continue;
        for (QWidget *w = label->parentWidget(); w && w != contents; w = w->parentWidget()) {
            QSizePolicy policy = w->sizePolicy();
            policy.setHorizontalPolicy(shrinking(policy.horizontalPolicy()));
            policy.setVerticalPolicy(shrinking(policy.verticalPolicy()));
            w->setSizePolicy(policy);
        }
    }
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
