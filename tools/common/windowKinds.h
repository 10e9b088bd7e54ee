#pragma once

#include "base/openWindow.h"
#include "panels/AddCamera.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"
#include "stepwise/SetupRecording.h"

#include <QString>
#include <QStringList>

namespace tivoro {

// Every top-level window and dialog class of the program. The tests, the
// benchmarks and the screenshot tool all go through this list, so a new
// window is registered here and nowhere else.
struct WindowKind
{
    const char *className;
    const char *title; // what users and the benchmark table call it
    const char *shotName; // the screenshot's file name, without ".png"
    QWidget *(*open)();
};

namespace detail {
template <class Window>
QWidget *openOne()
{
    return openWindow<Window>();
}
} // namespace detail

inline const WindowKind windowKinds[] = {
    {"MainWindow", "start window", "start-window", &detail::openOne<MainWindow>},
    {"Settings", "settings dialog", "settings", &detail::openOne<Settings>},
    {"AddCamera", "add camera dialog", "add-camera", &detail::openOne<AddCamera>},
    {"SetupRecordingWithMetadata", "recording session window", "recording-session-metadata",
     &detail::openOne<SetupRecordingWithMetadata>},
    {"AnalyzeVideos", "video analysis window", "video-analysis", &detail::openOne<AnalyzeVideos>},
    {"SetupRecording", "camera setup window", "camera-setup", &detail::openOne<SetupRecording>},
    {"RecordingSettings", "recording settings dialog", "recording-settings", &detail::openOne<RecordingSettings>},
    {"RecordingWindow", "recording view window", "recording-view", &detail::openOne<RecordingWindow>},
};

inline const QStringList &windowKindNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const WindowKind &kind : windowKinds)
            list << QLatin1String(kind.className);
        return list;
    }();
    return names;
}

// Opens a window of the named class as a hand-over opens one (parentless,
// deleted on close, shown); nullptr for a name that is not a window class.
inline QWidget *openWindowOfKind(const QString &className)
{
    for (const WindowKind &kind : windowKinds) {
        if (className == QLatin1String(kind.className))
            return kind.open();
    }
    return nullptr;
}

} // namespace tivoro
