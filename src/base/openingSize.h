#pragma once

#include <initializer_list>

class QScrollArea;
class QWidget;

namespace tivoro {

// The work windows exist to show what their scroll areas hold (camera
// panels, scene pictures), and their designed sizes leave those areas a
// sliver at today's desktop fonts. When `window` is first shown it grows
// from its designed size until each visible one of `areas` shows its whole
// content without scrolling, as far as the available area of its screen
// allows; a window larger than that area is brought down to it (its layout's
// minimum permitting). Where the screen is too small for that, the area
// holding `seenFirst` is scrolled to bring it into view. The user may
// resize freely afterwards.
void openShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst = nullptr);

// Chooses it now, for a window not shown yet (one built ahead).
void chooseOpeningSize(QWidget *window);

// The same for a window already on screen that shows a page needing more
// room: it grows as far as the screen's available area allows, never
// shrinks, and the area holding `seenFirst` is scrolled to bring it into
// view.
void growShowingWhole(QWidget *window, std::initializer_list<QScrollArea *> areas, QWidget *seenFirst = nullptr);

} // namespace tivoro
