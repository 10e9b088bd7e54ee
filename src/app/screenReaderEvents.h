#pragma once

namespace tivoro {

// Mends what Qt tells screen readers where Orca would otherwise say nothing
// (see the source). Once, before the first window.
void mendScreenReaderEvents();

} // namespace tivoro
