#include "automation/mqttmessages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace MqttMessages {

QString BrokerUrl::redacted() const
{
    const QString shownHost
        = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    const QString userPart = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return QStringLiteral("%1://%2%3:%4")
        .arg(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"), userPart, shownHost)
        .arg(port);
}

std::optional<BrokerUrl> parseBrokerUrl(const QString &text, QString *error)
{
    // QUrl's own error texts quote the address, password and all, so none of them is passed on.
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts")) {
        *error = QStringLiteral("the broker address must start with mqtt:// or mqtts://");
        return std::nullopt;
    }
    if (!url.isValid()) {
        *error = QStringLiteral("the broker address is not valid");
        return std::nullopt;
    }
    if (url.host().isEmpty()) {
        *error = QStringLiteral("the broker address names no host");
        return std::nullopt;
    }
    if ((!url.path().isEmpty() && url.path() != QLatin1String("/")) || url.hasQuery()
        || url.hasFragment()) {
        *error = QStringLiteral("the broker address holds more than user, host and port");
        return std::nullopt;
    }
    BrokerUrl broker;
    broker.tls = scheme == QLatin1String("mqtts");
    broker.host = url.host();
    broker.port = url.port(broker.tls ? 8883 : 1883);
    if (broker.port == 0) {
        *error = QStringLiteral("the broker address has port 0");
        return std::nullopt;
    }
    broker.user = url.userName(QUrl::FullyDecoded);
    broker.password = url.password(QUrl::FullyDecoded);
    return broker;
}

QString topicId(const QString &id)
{
    QString clean;
    for (const QChar c : id) {
        const bool kept = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-')
            || c == QLatin1Char('_');
        clean += kept ? c : QLatin1Char('_');
    }
    return clean.isEmpty() ? QStringLiteral("vx305") : clean;
}

QString topic(const QString &id, const QString &leaf)
{
    return QStringLiteral("vx305/%1/%2").arg(id, leaf);
}

QByteArray readingText(float value, int decimals)
{
    return QByteArray::number(double(value), 'f', decimals);
}

QList<Message> discovery(const QString &id, const QString &unit)
{
    const QJsonObject device {
        {QStringLiteral("identifiers"), QJsonArray {QStringLiteral("vx305_") + id}},
        {QStringLiteral("name"), QStringLiteral("VX305 ") + id},
        {QStringLiteral("model"), QStringLiteral("VX300/VX305 thermal imager")}};
    const auto config = [&](const QString &leaf, const QString &name) {
        return QJsonObject {{QStringLiteral("name"), name},
            {QStringLiteral("unique_id"), QStringLiteral("vx305_%1_%2").arg(id, leaf)},
            {QStringLiteral("state_topic"), topic(id, leaf)},
            {QStringLiteral("availability_topic"), topic(id, QStringLiteral("status"))},
            {QStringLiteral("payload_available"), QStringLiteral("online")},
            {QStringLiteral("payload_not_available"), QStringLiteral("offline")},
            {QStringLiteral("device"), device}};
    };
    QList<Message> messages;
    const auto add = [&](const QString &component, const QString &leaf, const QJsonObject &object) {
        messages << Message {
            QStringLiteral("homeassistant/%1/%2_%3/config").arg(component, id, leaf),
            QJsonDocument(object).toJson(QJsonDocument::Compact), true, 1};
    };
    const struct
    {
        const char *leaf;
        const char *name;
        bool temperature;
    } sensors[] = {{"max", "Maximum temperature", true}, {"threshold", "Alarm threshold", true},
        {"emissivity", "Emissivity", false}};
    for (const auto &sensor : sensors) {
        QJsonObject object = config(QLatin1String(sensor.leaf), QLatin1String(sensor.name));
        object.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
        if (sensor.temperature) {
            object.insert(QStringLiteral("device_class"), QStringLiteral("temperature"));
            object.insert(QStringLiteral("unit_of_measurement"), unit);
        }
        add(QStringLiteral("sensor"), QLatin1String(sensor.leaf), object);
    }
    QJsonObject alarm = config(QStringLiteral("alarm"), QStringLiteral("Alarm"));
    alarm.insert(QStringLiteral("device_class"), QStringLiteral("heat"));
    alarm.insert(QStringLiteral("payload_on"), QStringLiteral("on"));
    alarm.insert(QStringLiteral("payload_off"), QStringLiteral("off"));
    add(QStringLiteral("binary_sensor"), QStringLiteral("alarm"), alarm);
    return messages;
}

bool ReadingGate::due(qint64 nowMs, bool alarmChanged) const
{
    return alarmChanged || !m_last || nowMs - *m_last >= m_interval;
}

} // namespace MqttMessages
