#include "app/applicationIcon.h"
#include "app/highDpi.h"
#include "app/screenReaderEvents.h"
#include "app/translations.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    tivoro::enableHighDpiScaling();
    QApplication app(argc, argv);
    // Lets a Wayland compositor match the windows to the desktop entry
    // (and its icon) before the first one is shown.
    QGuiApplication::setDesktopFileName(QStringLiteral(TIVORO_APP_ID));
    tivoro::installApplicationIcon();
    tivoro::mendScreenReaderEvents();
    // The languages the desktop set (LANGUAGE, LANG and the like); none that
    // the program speaks leaves it English.
    tivoro::installTranslations(QLocale::system().uiLanguages());
    MainWindow window;
    window.show();
    return app.exec();
}
