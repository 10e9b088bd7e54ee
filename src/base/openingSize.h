#pragma once

#include <initializer_list>

class QScrollArea;
class QWidget;

namespace tivoro {

// Work windows exist to show what their scroll areas hold, which their
// designed sizes leave a sliver of: on first showing, `window` grows until
// each of `areas` shows whole, within its screen's available area; where
// that is too small, the area holding `seenFirst` scrolls it into view.
void openShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst = nullptr);

// For a window not shown yet (one built ahead), the size it would open at:
// the same choice made at once, or else the size its layout gives it.
void chooseOpeningSize(QWidget *window);

// For a window on screen whose new page needs more room: it grows within
// the screen's available area, never shrinks, and scrolls `seenFirst` into view.
void growShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst = nullptr);

} // namespace tivoro
