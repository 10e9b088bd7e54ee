#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace tivoro {

// For programs that draw without a screen (tests, benchmarks, tools): the
// offscreen platform unless a display is there, and a private runtime
// directory where the session has none (the toolkit warns otherwise).
inline void prepareHeadless(bool preferDisplay = false)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !(preferDisplay && !qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static QTemporaryDir runtimeDir; // created 0700, removed at exit
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
}

} // namespace tivoro
