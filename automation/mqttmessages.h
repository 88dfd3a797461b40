#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// What the imager's readings look like on an MQTT broker: the broker address, the topics under
// "vx305/<imager id>/", the payloads and the Home Assistant discovery messages. No network here.
namespace MqttMessages {

// A broker address "mqtt://[user[:password]@]host[:port]" or "mqtts://..." (TLS).
struct BrokerUrl
{
    bool tls = false;
    QString host;
    int port = 1883; // 8883 for mqtts
    QString user;
    QString password;
    // The address for logs and messages: scheme, user, host and port, never the password.
    [[nodiscard]] QString redacted() const;
};

// Parses a broker address; user and password may be percent-encoded. nullopt with a reason in
// *error that never repeats the address (it may hold a password).
[[nodiscard]] std::optional<BrokerUrl> parseBrokerUrl(const QString &text, QString *error);

// An imager id usable as one topic level and in discovery ids: letters, digits, "-" and "_"
// kept, anything else "_"; "vx305" when nothing is left.
[[nodiscard]] QString topicId(const QString &id);

// "vx305/<id>/<leaf>"
[[nodiscard]] QString topic(const QString &id, const QString &leaf);

// A reading as the live window shows it: one decimal, the emissivity two.
[[nodiscard]] QByteArray readingText(float value, int decimals = 1);

struct Message
{
    QString topic;
    QByteArray payload;
    bool retained = false;
    int qos = 0;
};

// The retained Home Assistant discovery messages for the imager: sensors for the maximum,
// the threshold (in `unit`) and the emissivity and a binary sensor for the alarm, all
// available while the status topic says "online".
[[nodiscard]] QList<Message> discovery(const QString &id, const QString &unit);

// Readings reach the broker at most once a second, and at once when the alarm changes.
class ReadingGate
{
public:
    explicit ReadingGate(qint64 intervalMs = 1000)
        : m_interval(intervalMs)
    {
    }
    // Whether readings waiting at nowMs go out now.
    [[nodiscard]] bool due(qint64 nowMs, bool alarmChanged) const;
    void sent(qint64 nowMs) { m_last = nowMs; }

private:
    qint64 m_interval;
    std::optional<qint64> m_last;
};

} // namespace MqttMessages
