#include "app/applicationIcon.h"
#include "shell/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tivoro::installApplicationIcon();
    MainWindow window;
    window.show();
    return app.exec();
}
