#include "app/screenReaderEvents.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

#ifdef TIVORO_ATSPI
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

namespace {

struct Told
{
    QPointer<QObject> lastFocus; // of the focus events passed on, the last one's
    QPointer<QObject> focusAhead;
    QElapsedTimer sinceMenuTitle; // focused in the menu bar
    QAccessible::UpdateHandler listener = nullptr;
};

Told &told()
{
    static Told told;
    return told;
}

void mend(QAccessibleEvent *event);

void passOn(QAccessibleEvent *event)
{
    if (told().listener) {
        told().listener(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&mend);
}

#ifdef TIVORO_ATSPI
// Qt 5's AT-SPI bridge tells of a new name (a button's new caption) with a
// reference to the object instead of the name, and Orca, which speaks what
// the event carries, says nothing. The same event with the name follows on
// the bridge's own connection, so that it comes from the same object.
void tellNewName(QAccessibleInterface *accessible)
{
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected() || !accessible)
        return;
    const QString prefix = QStringLiteral("/org/a11y/atspi/accessible/");
    QDBusMessage event =
        QDBusMessage::createSignal(prefix + QString::number(QAccessible::uniqueId(accessible)),
                                   QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(prefix + QStringLiteral("root"));
    application.endStructure();
    event << QStringLiteral("accessible-name") << 0 << 0
          << QVariant::fromValue(QDBusVariant(accessible->text(QAccessible::Name))) << QVariant::fromValue(application);
    bus.send(event);
}
#endif

// Whether a focus event goes on to the screen reader now.
bool passesFocus(QAccessibleEvent *event)
{
    QObject *object = event->object();
    const bool entry = event->child() >= 0; // of a menu or of the menu bar
    // Moving from an open menu to the next, the menu bar gives the focus
    // back to the window's field while the next menu is open; Orca would
    // follow the focus out of the menu.
    if (qobject_cast<QMenu *>(QApplication::activePopupWidget()) && object && object->isWidgetType()
        && !qobject_cast<QMenu *>(object) && !qobject_cast<QMenuBar *>(object))
        return false;
    if (std::exchange(told().focusAhead, nullptr) == object && object && !entry)
        return false;
    if (qobject_cast<QMenuBar *>(object) && entry)
        told().sinceMenuTitle.start();
    // Opening the next menu, the bar tells of its title and of the menu's
    // first entry in the same instant, and Orca passes over the title; the
    // entry follows a moment later.
    auto *menu = qobject_cast<QMenu *>(object);
    if (menu && entry && told().sinceMenuTitle.isValid() && told().sinceMenuTitle.elapsed() < 20) {
        told().sinceMenuTitle.invalidate();
        QTimer::singleShot(150, menu, [menu, child = event->child()] {
            if (menu->isVisible() && menu->actions().indexOf(menu->activeAction()) == child) {
                QAccessibleEvent focus(menu, QAccessible::Focus);
                focus.setChild(child);
                QAccessible::updateAccessibility(&focus);
            }
        });
        return false;
    }
    told().lastFocus = entry ? nullptr : object;
    return true;
}

void mend(QAccessibleEvent *event)
{
    QObject *object = event->object();
    switch (event->type()) {
    case QAccessible::Focus:
        if (!passesFocus(event))
            return;
        break;
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        // A field that takes the focus places its caret before Qt tells of
        // the focus; Orca takes the caret's move for the focus and does not
        // say where it went. The focus is told first.
        if (object && object == QApplication::focusWidget() && object != told().lastFocus) {
            QAccessibleEvent focus(object, QAccessible::Focus);
            passOn(&focus);
            told().lastFocus = told().focusAhead = object;
        }
        break;
    default:
        break;
    }
    passOn(event);
#ifdef TIVORO_ATSPI
    if (event->type() == QAccessible::NameChanged)
        tellNewName(event->accessibleInterface());
#endif
}

} // namespace

void tivoro::mendScreenReaderEvents(QAccessible::UpdateHandler listener)
{
    told().listener = listener;
    QAccessible::installUpdateHandler(&mend);
}
