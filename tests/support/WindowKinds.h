#pragma once

#include "panels/AddCamera.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "shell/openWindow.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"
#include "stepwise/SetupRecording.h"

#include <QString>
#include <QStringList>

namespace tivoro::test {

namespace detail {
template <class Window>
QWidget *openOne()
{
    return tivoro::openWindow<Window>();
}

struct WindowKind
{
    const char *className;
    QWidget *(*open)();
};

inline const WindowKind windowKinds[] = {
    {"MainWindow", &openOne<MainWindow>},
    {"Settings", &openOne<Settings>},
    {"AddCamera", &openOne<AddCamera>},
    {"SetupRecordingWithMetadata", &openOne<SetupRecordingWithMetadata>},
    {"AnalyzeVideos", &openOne<AnalyzeVideos>},
    {"SetupRecording", &openOne<SetupRecording>},
    {"RecordingSettings", &openOne<RecordingSettings>},
    {"RecordingWindow", &openOne<RecordingWindow>},
};
} // namespace detail

// Every top-level window and dialog class of the program, by class name.
inline QStringList windowKindNames()
{
    QStringList names;
    for (const detail::WindowKind &kind : detail::windowKinds)
        names << QLatin1String(kind.className);
    return names;
}

// Opens a window of the named class as a hand-over opens one (parentless,
// deleted on close, shown); nullptr for a name that is not a window class.
inline QWidget *openWindowOfKind(const QString &className)
{
    for (const detail::WindowKind &kind : detail::windowKinds) {
        if (className == QLatin1String(kind.className))
            return kind.open();
    }
    return nullptr;
}

} // namespace tivoro::test
