#pragma once

class QMainWindow;

namespace tivoro {

// F10 opens the window's first menu, as GNOME and KDE users expect; Alt
// reaches the menu bar also while a screen reader listens to the keys.
void enableMenuBarKeys(QMainWindow *window);

} // namespace tivoro
