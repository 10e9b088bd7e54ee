#include "panels/leaveWithCtrlTab.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class CtrlTabFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            || (modifiers != Qt::ControlModifier && modifiers != (Qt::ControlModifier | Qt::ShiftModifier)))
            return false;
        // The window moves the focus on from the field as for a plain Tab.
        const bool back = key->key() == Qt::Key_Backtab || modifiers & Qt::ShiftModifier;
        QKeyEvent plain(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(static_cast<QWidget *>(watched)->window(), &plain);
        return true;
    }
};

} // namespace

void tivoro::leaveWithCtrlTab(QWidget *field)
{
    field->installEventFilter(new CtrlTabFilter(field));
}
