#include "app/preferences.h"

#include "app/configrecord.h"

#include <QFile>
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

Mqtt mqtt()
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    Mqtt mqtt;
    mqtt.enabled = settings.value(QStringLiteral("mqtt/enabled"), false).toBool();
    mqtt.url = settings.value(QStringLiteral("mqtt/url")).toString();
    mqtt.user = settings.value(QStringLiteral("mqtt/user")).toString();
    mqtt.password = settings.value(QStringLiteral("mqtt/password")).toString();
    return mqtt;
}

void setMqtt(const Mqtt &mqtt)
{
    // Owner-only before the password goes in; the settings' rewrite keeps the rights it finds.
    if (!mqtt.password.isEmpty()) {
        QFile file(filePath());
        if (!file.exists())
            file.open(QIODevice::WriteOnly);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    {
        QSettings settings(filePath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("mqtt/enabled"), mqtt.enabled);
        settings.setValue(QStringLiteral("mqtt/url"), mqtt.url);
        settings.setValue(QStringLiteral("mqtt/user"), mqtt.user);
        if (mqtt.password.isEmpty())
            settings.remove(QStringLiteral("mqtt/password"));
        else
            settings.setValue(QStringLiteral("mqtt/password"), mqtt.password);
    }
}

} // namespace Preferences
