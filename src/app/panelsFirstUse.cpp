#include "app/panelsFirstUse.h"

#include "panels/CameraSettings.h"
#include "panels/GraphWidget.h"

namespace tivoro {

std::vector<std::function<void()>> panelsFirstUse(const QWidget *window)
{
    std::vector<std::function<void()>> pieces = CameraSettings::prepareFirstUse(window);
    for (auto &piece : GraphWidget::prepareFirstUse(window))
        pieces.push_back(std::move(piece));
    return pieces;
}

} // namespace tivoro
