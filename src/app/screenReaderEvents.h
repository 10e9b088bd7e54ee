#pragma once

#include <QAccessible>

namespace tivoro {

// Mends what Qt tells screen readers where Orca would otherwise say nothing
// (see the source): once, before the first window. The mended events go to
// the platform's screen reader bridge, or to `listener` (the tests').
void mendScreenReaderEvents(QAccessible::UpdateHandler listener = nullptr);

} // namespace tivoro
