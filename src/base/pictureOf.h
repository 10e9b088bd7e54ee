#pragma once

#include <QLabel>
#include <QPixmap>

namespace tivoro {

// The label's picture by value, under Qt 5 and Qt 6 alike; null if it has none.
inline QPixmap pictureOf(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap();
#else
    return label->pixmap(Qt::ReturnByValue);
#endif
}

} // namespace tivoro
