#pragma once

#include <QBasicTimer>
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

// The first window a click opens in a process would otherwise also pay for
// work that has nothing to do with the click (decoding pictures, loading
// fonts, the style's drawings), which the panels hand over as pieces. This
// runs those pieces while the start window is idle: from its first paint
// on, and again whenever the pointer comes back to it (the toolkit's
// picture cache lets go of what nobody asked for within a minute or so).
// One piece per pass of the event loop; the first key or button press ends
// a run, leaving the rest to the window that needs it.
class IdleWarmUp : public QObject
{
    Q_OBJECT

public:
    IdleWarmUp(QWidget *startWindow, std::vector<std::function<void()>> pieces);

signals:
    // A run did every piece.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void start();
    void stop();

    QWidget *m_window;
    std::vector<std::function<void()>> m_pieces;
    size_t m_next = 0;
    bool m_started = false;
    QBasicTimer m_timer;
};
