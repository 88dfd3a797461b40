#pragma once

#include <QString>
#include <QVariant>

// The user's settings that are not part of the configuration record, kept with QSettings in
// "settings.ini" beside it in the per-user folder. The file's place follows the per-user folder
// on every call, as the record's does.
namespace Preferences {

[[nodiscard]] QString filePath();

[[nodiscard]] QVariant value(const QString &key, const QVariant &fallback = QVariant());
void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

// Whether analyses are restored when a picture opens and kept as they change; on by default.
[[nodiscard]] bool rememberAnalyses();
void setRememberAnalyses(bool on);

// Publishing the live readings to an MQTT broker. The password is kept in the settings file,
// which is then readable by its owner only.
struct Mqtt
{
    bool enabled = false;
    QString url; // mqtt://host[:port] or mqtts://...
    QString user;
    QString password;
    bool operator==(const Mqtt &o) const
    {
        return enabled == o.enabled && url == o.url && user == o.user && password == o.password;
    }
};
[[nodiscard]] Mqtt mqtt();
void setMqtt(const Mqtt &settings);

} // namespace Preferences
