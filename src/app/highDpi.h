#pragma once

#include <QGuiApplication>

namespace tivoro {

// Must run before the application object exists. Qt 6 always scales by the
// screen's density and keeps fractional factors; Qt 5 draws 96-dpi layouts
// into the pixels of a dense screen unless asked, and rounds 1.5 to 2.
inline void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

} // namespace tivoro
