#include "panels/ScenePicture.h"

#include "base/ScaledPicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// A picture (as QLabel's own interface says), one that takes the focus and
// has a menu behind it, so that a screen reader announces the menu and
// assistive technology can open it.
class ScenePictureAccessible : public QAccessibleWidget, public QAccessibleImageInterface
{
public:
    explicit ScenePictureAccessible(ScenePicture *picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == showMenuAction())
            return {QKeySequence(Qt::Key_Menu).toString(QKeySequence::NativeText),
                    QKeySequence(Qt::SHIFT | Qt::Key_F10).toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

    void doAction(const QString &action) override
    {
        if (action != showMenuAction())
            return QAccessibleWidget::doAction(action);
        // Once the caller has its answer: the menu runs an event loop of its
        // own, and a screen reader waits for the action to return.
        auto *picture = static_cast<ScenePicture *>(widget());
        QMetaObject::invokeMethod(
            picture, [picture] { picture->requestContextMenu(); }, Qt::QueuedConnection);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString imageDescription() const override { return widget()->toolTip(); }
    QSize imageSize() const override { return widget()->size(); }
    QPoint imagePosition() const override { return widget()->mapToGlobal(QPoint(0, 0)); }
};

QAccessibleInterface *accessibleScenePicture(const QString &className, QObject *object)
{
    if (className == QLatin1String("ScenePicture") && object && object->isWidgetType())
        return new ScenePictureAccessible(static_cast<ScenePicture *>(object));
    return nullptr;
}

} // namespace

ScenePicture::ScenePicture(QWidget *parent)
    : QLabel(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleScenePicture), true);
    Q_UNUSED(accessible)
}

QVariant ScenePicture::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Where the platform opens a context menu that a key asked for.
    if (query == Qt::ImCursorRectangle)
        return QRect(menuPoint(), QSize(1, 1));
    return QLabel::inputMethodQuery(query);
}

void ScenePicture::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        requestContextMenu(event->modifiers());
        return;
    }
    QLabel::keyPressEvent(event);
}

void ScenePicture::requestContextMenu(Qt::KeyboardModifiers modifiers)
{
    // As the platform turns a menu key into a request, so that the menu
    // opens as after a right click, wherever it comes from.
    const QPoint at = menuPoint();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, mapToGlobal(at), modifiers);
    QCoreApplication::sendEvent(this, &request);
}

void ScenePicture::mousePressEvent(QMouseEvent *event)
{
    const QRectF picture = tivoro::pictureArea(this);
    m_pointed = QPointF((event->pos().x() - picture.x()) / picture.width(),
                        (event->pos().y() - picture.y()) / picture.height());
    QLabel::mousePressEvent(event);
}

void ScenePicture::paintEvent(QPaintEvent *event)
{
    if (!tivoro::paintScaledPicture(this))
        QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A ring inside the picture's edge, so the picture keeps its size: the
    // highlight colour with a thin line of its contrast colour inside, which
    // shows on light and dark parts of the scene alike.
    const QRect edge = tivoro::pictureArea(this);
    const auto ring = [edge](int outside, int width) {
        QPainterPath path;
        path.addRect(edge.adjusted(outside, outside, -outside, -outside));
        path.addRect(edge.adjusted(outside + width, outside + width, -outside - width, -outside - width));
        return path;
    };
    QPainter painter(this);
    painter.fillPath(ring(0, 2), palette().color(QPalette::Highlight));
    painter.fillPath(ring(2, 1), palette().color(QPalette::HighlightedText));
}

QPoint ScenePicture::menuPoint() const
{
    const QRect picture = tivoro::pictureArea(this);
    if (m_pointed && QRectF(0, 0, 1, 1).contains(*m_pointed))
        return picture.topLeft()
            + QPointF(m_pointed->x() * picture.width(), m_pointed->y() * picture.height()).toPoint();
    return picture.center();
}
