#include "app/applicationIcon.h"

#include <QGuiApplication>
#include <QIcon>

namespace tivoro {

void installApplicationIcon()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tivoro.png")));
}

} // namespace tivoro
