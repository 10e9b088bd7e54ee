// Renders each window of the program offscreen to a PNG file.
#include "app/applicationIcon.h"
#include "common/headless.h"
#include "panels/AddCamera.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"
#include "stepwise/SetupRecording.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct Shot
{
    const char *name;
    std::function<QWidget *()> make;
};

// The recording session window with its graph page at the bottom, as a
// user sees it after "Show graph".
QWidget *sessionWithGraph()
{
    auto *window = new SetupRecordingWithMetadata(nullptr);
    if (auto *showGraph = window->findChild<QPushButton *>(QStringLiteral("pushButtonShowGraph")))
        showGraph->click();
    return window;
}

bool render(QWidget *window, const QString &path)
{
    window->show();
    QCoreApplication::processEvents();
    if (window->grab().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // A real (or virtual) display gives the fonts users see; offscreen
    // rendering falls back to larger ones.
    tivoro::prepareHeadless(true);
    QApplication app(argc, argv);
    tivoro::installApplicationIcon();
    // Another desktop font, to see how the forms make room: TIVORO_FONT="Noto Sans,10".
    if (qEnvironmentVariableIsSet("TIVORO_FONT")) {
        QFont font;
        if (font.fromString(qEnvironmentVariable("TIVORO_FONT")))
            QApplication::setFont(font);
    }
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", qPrintable(args.value(0)));
        return 2;
    }
    const QDir out(args.at(1));
    const Shot shots[] = {
        {"start-window", [] { return new MainWindow; }},
        {"settings", [] { return new Settings; }},
        {"recording-session-metadata", [] { return new SetupRecordingWithMetadata(nullptr); }},
        {"recording-session-graph", sessionWithGraph},
        {"video-analysis", [] { return new AnalyzeVideos(nullptr); }},
        {"add-camera", [] { return new AddCamera; }},
        {"camera-setup", [] { return new SetupRecording; }},
        {"recording-settings", [] { return new RecordingSettings; }},
        {"recording-view", [] { return new RecordingWindow; }},
    };
    bool ok = true;
    for (const Shot &shot : shots) {
        std::unique_ptr<QWidget> window(shot.make());
        ok = render(window.get(), out.filePath(QString::fromLatin1(shot.name) + QLatin1String(".png"))) && ok;
    }
    return ok ? 0 : 1;
}
