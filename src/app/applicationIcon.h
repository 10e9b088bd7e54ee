#pragma once

namespace tivoro {

// Gives every window of the program the application icon.
void installApplicationIcon();

} // namespace tivoro
