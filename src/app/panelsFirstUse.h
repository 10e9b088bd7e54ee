#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace tivoro {

// What the panels of the windows a start window opens need made before
// their first showing, in pieces for IdleWarmUp; `window` is the start
// window.
std::vector<std::function<void()>> panelsFirstUse(const QWidget *window);

} // namespace tivoro
