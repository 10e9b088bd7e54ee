#include "app/applicationIcon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QIconEngine>

namespace {

// QIcon decodes a file the moment it is given one, and decoding the
// 256-pixel icon is a good part of start-up. This engine decodes it when
// a pixmap is first asked for, which platforms without window icons
// (offscreen, most Wayland compositors) never do.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(const QString &fileName)
        : m_fileName(fileName)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
#else
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override
#endif
    {
        return icon().availableSizes(mode, state);
    }

    QIconEngine *clone() const override
    {
        return new DeferredIconEngine(m_fileName);
    }

private:
    const QIcon &icon() const
    {
        if (m_icon.isNull())
            m_icon = QIcon(m_fileName);
        return m_icon;
    }

    QString m_fileName;
    mutable QIcon m_icon;
};

} // namespace

namespace tivoro {

void installApplicationIcon()
{
    QGuiApplication::setWindowIcon(QIcon(new DeferredIconEngine(QStringLiteral(":/icons/tivoro.png"))));
}

} // namespace tivoro
