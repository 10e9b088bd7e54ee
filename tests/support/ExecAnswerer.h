#pragma once

#include "support/TestSupport.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace tivoro::test {

// Answers every modal dialog and popup menu that a handler runs with exec(),
// for as long as it lives. It acts only inside such a nested event loop:
// popups that the test opened itself and drives step by step (menu bar
// menus, combo box lists) are left to the test.
class ExecAnswerer : public QObject
{
public:
    explicit ExecAnswerer(ModalAnswerer::Answer answer)
        : m_answer(std::move(answer))
        , m_outerLevel(QThread::currentThread()->loopLevel())
    {
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    int answered() const { return m_answered; }
    // Dialogs or menus that did not close after many answers and were closed
    // by force, so that a broken answer fails a test instead of hanging it.
    int stuck() const { return m_stuck; }

private:
    static constexpr int maximumRepeats = 50;

    void poll()
    {
        if (QThread::currentThread()->loopLevel() <= m_outerLevel)
            return;
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::activeModalWidget();
        if (!target || !target->isVisible())
            return;
        m_repeats = target == m_last ? m_repeats + 1 : 0;
        m_last = target;
        if (m_repeats >= maximumRepeats) {
            ++m_stuck;
            target->close();
            return;
        }
        ++m_answered;
        m_answer(target);
    }

    ModalAnswerer::Answer m_answer;
    int m_outerLevel;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_repeats = 0;
    int m_answered = 0;
    int m_stuck = 0;
};

} // namespace tivoro::test
