// Renders each window of the program offscreen to a PNG file.
#include "app/applicationIcon.h"
#include "app/translations.h"
#include "common/headless.h"
#include "common/windowKinds.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>

#include <cstdio>
#include <memory>

namespace {

bool render(QWidget *window, const QString &path)
{
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
    // In the desktop's language, as the program: LANGUAGE=de for German.
    tivoro::installTranslations(QLocale::system().uiLanguages());
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
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const auto shotPath = [&out](const char *name) {
        return out.filePath(QLatin1String(name) + QLatin1String(".png"));
    };
    bool ok = true;
    for (const tivoro::WindowKind &kind : tivoro::windowKinds) {
        std::unique_ptr<QWidget> window(kind.open());
        ok = render(window.get(), shotPath(kind.shotName)) && ok;
    }
    // The recording session window once more with its graph page at the
    // bottom, as a user sees it after "Show graph".
    std::unique_ptr<QWidget> session(tivoro::openWindowOfKind(QStringLiteral("SetupRecordingWithMetadata")));
    if (auto *showGraph = session->findChild<QPushButton *>(QStringLiteral("pushButtonShowGraph")))
        showGraph->click();
    ok = render(session.get(), shotPath("recording-session-graph")) && ok;
    return ok ? 0 : 1;
}
