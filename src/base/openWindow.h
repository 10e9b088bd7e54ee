#pragma once

#include <QWidget>

namespace tivoro {

// Every window or dialog that a handler opens stands on its own: no parent,
// shown modeless, and deleted when the user closes it, since nothing keeps
// a pointer to it.
template <class Window>
Window *openWindow()
{
    auto *window = new Window(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

// Hand-overs show the next window before closing the current one, so the
// application never runs out of visible windows in between.
template <class Window>
Window *handOver(QWidget *from)
{
    Window *next = openWindow<Window>();
    from->close();
    return next;
}

} // namespace tivoro
