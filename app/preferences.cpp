#include "app/preferences.h"

#include "app/configrecord.h"

#include <QSettings>

namespace Preferences {

namespace {

const QString RememberKey = QStringLiteral("analyses/remember");

} // namespace

QString filePath()
{
    return ConfigRecord::userFolder() + QStringLiteral("/settings.ini");
}

QVariant value(const QString &key, const QVariant &fallback)
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    return settings.value(key, fallback);
}

void setValue(const QString &key, const QVariant &value)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(key, value);
}

void remove(const QString &key)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.remove(key);
}

bool rememberAnalyses()
{
    return value(RememberKey, true).toBool();
}

void setRememberAnalyses(bool on)
{
    setValue(RememberKey, on);
}

} // namespace Preferences
