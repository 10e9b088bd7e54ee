// Renders each window of the program offscreen to a PNG file.
#include "shell/MainWindow.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QDir>
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", qPrintable(args.value(0)));
        return 2;
    }
    const QDir out(args.at(1));
    const Shot shots[] = {
        {"start-window", [] { return new MainWindow; }},
        {"settings", [] { return new Settings; }},
    };
    bool ok = true;
    for (const Shot &shot : shots) {
        std::unique_ptr<QWidget> window(shot.make());
        ok = render(window.get(), out.filePath(QString::fromLatin1(shot.name) + QLatin1String(".png"))) && ok;
    }
    return ok ? 0 : 1;
}
