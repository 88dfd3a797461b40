#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    initVx305Resources();
    QTranslator translator;
    prepareConfiguration();
    installTranslation(&translator);

    MainWindow window;
    window.show();
    return app.exec();
}
