#include "app/startup.h"

#include "app/configrecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

void initVx305Resources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}

void prepareConfiguration()
{
    if (QFile::exists(ConfigRecord::filePath()))
        return;
    ConfigRecord::createDefault(QStringLiteral("EN"));
}

QString translationForLanguage(const QString &code)
{
    if (code == QLatin1String("CH"))
        return QString();
    if (code == QLatin1String("RU"))
        return QStringLiteral(":/Demo_RU.qm");
    if (code == QLatin1String("KO"))
        return QStringLiteral(":/Demo_KO.qm");
    return QStringLiteral(":/Demo_EN.qm");
}

void installTranslation(QTranslator *translator)
{
    const QString file =
            translationForLanguage(ConfigRecord::readField(ConfigRecord::LanguageCode));
    // A failed load leaves the source texts; nothing is reported.
    if (!file.isEmpty() && translator->load(file))
        QCoreApplication::installTranslator(translator);
}
