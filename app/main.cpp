#include "app/mainwindow.h"
#include "app/startup.h"
#include "automation/commandline.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // "vx305 <command> ..." runs without a window.
    if (CommandLine::wantsCommandLine(CommandLine::arguments(argc, argv)))
        return CommandLine::exec(argc, argv);

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
