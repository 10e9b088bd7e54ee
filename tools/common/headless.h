#pragma once

#include "app/highDpi.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace tivoro {

// For programs that draw without a screen (tests, benchmarks, tools): the
// offscreen platform unless a display is there, and a private runtime
// directory where the session has none (the toolkit warns otherwise).
// Scales for dense screens as the program does.
inline void prepareHeadless(bool preferDisplay = false)
{
    enableHighDpiScaling();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !(preferDisplay && !qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen screen claims 100 dpi, which Qt 5 would scale by 100/96
    // like a real screen; 96 as in Qt 6 keeps its pixels whole, and
    // QT_SCALE_FACTOR then gives exactly the ratio asked for.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static QTemporaryDir runtimeDir; // created 0700, removed at exit
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
}

// The offscreen platform reports window operations it cannot do; that is
// the platform talking, not the program, and no reason to fail or log.
inline bool isPlatformNotice(const QString &message)
{
    return message.startsWith(QLatin1String("This plugin does not support"));
}

// Runs what deleteLater() and Qt::WA_DeleteOnClose left for the event loop,
// which code outside exec() never reaches; deletions may post further ones
// (a window's children, its backing store), so a few rounds.
inline void flushDeletions()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace tivoro
