#include "base/menuBarKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

class MenuBarKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        // While a screen reader listens, the accessibility bridge posts a copy
        // of each key to the window; the menu bar, which took the bare Alt
        // already, would toggle out again on the copy. Only such copies reach
        // a window (rather than a widget) without coming from the window system.
        if (!event->spontaneous() && watched->isWindowType())
            return key == Qt::Key_Alt || key == Qt::Key_Meta;
        // Moving from an open menu to the next, the bar gives the window's
        // focus back to its field while the next menu is open, and the screen
        // reader follows the field; the menu's entry is told again after that.
        if (event->type() == QEvent::KeyPress && (key == Qt::Key_Left || key == Qt::Key_Right)
            && qobject_cast<QMenuBar *>(watched) && qobject_cast<QMenu *>(QApplication::activePopupWidget())
            && QAccessible::isActive())
            QMetaObject::invokeMethod(this, &MenuBarKeyFilter::tellOpenMenuEntry, Qt::QueuedConnection);
        return false;
    }

private:
    static void tellOpenMenuEntry()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        const int entry = menu ? menu->actions().indexOf(menu->activeAction()) : -1;
        if (entry < 0)
            return;
        QAccessibleEvent focus(menu, QAccessible::Focus);
        focus.setChild(entry);
        QAccessible::updateAccessibility(&focus);
    }
};

} // namespace

void tivoro::enableMenuBarKeys(QMainWindow *window)
{
    static const bool filtering = [] {
        qApp->installEventFilter(new MenuBarKeyFilter(qApp));
        return true;
    }();
    Q_UNUSED(filtering)
    QMenuBar *bar = window->menuBar();
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        const QList<QAction *> menus = bar->actions();
        if (!menus.isEmpty())
            bar->setActiveAction(menus.first());
    });
}
