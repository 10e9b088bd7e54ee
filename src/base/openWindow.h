#pragma once

#include <QWidget>

namespace tivoro {

// Building a work window (its widgets, their polish and layout) takes more
// than a frame, so windows that a visible window's buttons open are built
// ahead while the program is idle, one step at a time: spares, hidden and
// never shown before a click takes them.
namespace spares {
using Factory = QWidget *(*)();
template <class Window>
QWidget *make()
{
    return new Window(nullptr);
}
// The spare made by `make`, taken out of the spares; nullptr if none.
QWidget *take(Factory make);
void keep(Factory make, QWidget *opener);
} // namespace spares

// While `opener` is on screen, a Window is kept built ahead.
template <class Window>
void keepSpare(QWidget *opener)
{
    spares::keep(&spares::make<Window>, opener);
}

// Whether `w` is a window built ahead that nobody has been shown.
bool isSpare(const QWidget *w);
// Destroys every spare; they are built again when the program is idle.
void dropSpares();

// Every window or dialog that a handler opens stands on its own: no parent,
// shown modeless, and deleted when the user closes it, since nothing keeps
// a pointer to it.
template <class Window>
Window *openWindow()
{
    auto *window = static_cast<Window *>(spares::take(&spares::make<Window>));
    if (!window)
        window = new Window(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

// Closes `closed`; one deleted on close goes once `next` has painted (or is
// hidden or gone): destroying a window takes milliseconds it should not wait.
void closeBehind(QWidget *closed, QWidget *next);

// Hand-overs show the next window before closing the current one, so the
// application never runs out of visible windows in between.
template <class Window>
Window *handOver(QWidget *from)
{
    Window *next = openWindow<Window>();
    closeBehind(from, next);
    return next;
}

} // namespace tivoro
