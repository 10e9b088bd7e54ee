#include "base/menuBarKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
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
        return !event->spontaneous() && watched->isWindowType() && (key == Qt::Key_Alt || key == Qt::Key_Meta);
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
