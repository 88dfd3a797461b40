#pragma once

// What every screenshot helper sets up first: resources, a temporary home with a default
// English record, and the English translation.

#include "app/configrecord.h"
#include "app/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QTranslator>

struct DemoSession
{
    TemporaryHome home;
    QTranslator translator;

    DemoSession()
    {
        initVx305Resources();
        ConfigRecord::createDefault(QStringLiteral("EN"));
        installTranslation(&translator);
    }

    // The output folder: the first argument, else the current folder.
    static QString outputFolder(int argc, char **argv)
    {
        return argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    }
};
