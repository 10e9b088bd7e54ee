#include "app/IdleWarmUp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>
#include <QWidget>

IdleWarmUp::IdleWarmUp(QWidget *startWindow, std::vector<std::function<void()>> pieces)
    : QObject(startWindow)
    , m_window(startWindow)
    , m_pieces(std::move(pieces))
{
    startWindow->installEventFilter(this);
}

bool IdleWarmUp::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (watched == m_window && !m_started)
            start();
        break;
    case QEvent::Enter:
        if (watched == m_window)
            start();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
    case QEvent::Wheel:
        stop();
        break;
    default:
        break;
    }
    return false;
}

void IdleWarmUp::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QObject::timerEvent(event);
    if (m_next < m_pieces.size())
        m_pieces[m_next++]();
    if (m_next == m_pieces.size()) {
        stop();
        emit finished();
    }
}

void IdleWarmUp::start()
{
    m_started = true;
    if (m_timer.isActive())
        return;
    m_next = 0;
    qApp->installEventFilter(this); // to see input for any window
    m_timer.start(0, this);
}

void IdleWarmUp::stop()
{
    m_timer.stop();
    qApp->removeEventFilter(this);
}
