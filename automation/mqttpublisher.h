#pragma once

#include "automation/mqttmessages.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

struct MqttSettings
{
    // "mqtt://[user[:password]@]host[:port]" or "mqtts://..." (TLS, the system's CA store).
    QString url;
    // Replace the address's user and password when not empty.
    QString user;
    QString password;
    // Topics go under "vx305/<imagerId>/" (made a valid topic level); the Home Assistant
    // device is named after it.
    QString imagerId;
    // Empty: "vx305-<imager id>".
    QString clientId;
    // Unit of the maximum and the threshold, for the discovery messages: "°C" or "°F".
    QString unit = QStringLiteral("°C");
    // mqtts: a CA certificate (PEM) trusted besides the system's store.
    QString caFile;
    int keepAliveSeconds = 30;
    // Waits between attempts to reach the broker: the first, doubling up to the last.
    int retryFirstMs = 1000;
    int retryLastMs = 30000;
};

// Publishes the imager's readings, alarm and alarm pictures to an MQTT broker over libmosquitto,
// on a thread of its own. The calls that feed it only note what is to go out, under a lock held
// for a copy, so a slow, absent or vanishing broker never slows the frame path; what waits is
// bounded (the newest readings, the alarm state, a few pictures). The status topic is "online"
// while connected and "offline" after stop() or, as the broker's last will, after a crash.
class MqttPublisher : public QObject
{
    Q_OBJECT

public:
    enum State {
        Off, // not started, or stopped
        Connecting, // the first attempt is under way
        Connected,
        Refused, // the broker answered and refused (the reason says why); retried
        Unreachable, // no broker answered (name unknown, no listener, TLS failed); retried
        Lost, // the connection dropped; being made again
    };
    Q_ENUM(State)

    explicit MqttPublisher(QObject *parent = nullptr);
    // Stops as stop() does.
    ~MqttPublisher() override;

    // Starts publishing to the broker of the settings, at once returning. False, with the
    // reason (never the password) in *error, for an address that does not parse or while
    // already started.
    bool start(const MqttSettings &settings, QString *error = nullptr);
    // Says "offline", disconnects and ends the thread. Waits a moment at most for a broker
    // that is still being reached; the thread then ends by itself.
    void stop();

    [[nodiscard]] State state() const;
    // Why the state is what it is, e.g. the broker's refusal; never holds the password.
    [[nodiscard]] QString reason() const;
    // The broker as logs may show it (no password); empty before start().
    [[nodiscard]] QString broker() const;
    // "vx305/<imager id>/"
    [[nodiscard]] QString topicPrefix() const;

    // A line for a log: "connected to mqtt://host:1883", "refused by ...: not authorised".
    [[nodiscard]] static QString describe(
        State state, const QString &broker, const QString &reason);

    // Shared with the network thread, which may outlive the publisher for a moment.
    struct Shared;

public slots:
    // The live readings in the unit shown: maximum, threshold (one decimal) and emissivity (two).
    // Any thread; the newest wait, at most one set a second goes out.
    void setReadings(float maxTemp, float threshold, float emissivity);
    // The alarm went on or off: "alarm" (retained) and the newest readings go out at once.
    void setAlarm(bool on);
    // The alarm frame, published as PNG on "alarm_picture" (not retained).
    void publishAlarmPicture(const QImage &frame);

signals:
    // On the publisher's thread, queued from the network thread.
    void stateChanged(MqttPublisher::State state, const QString &reason);

private:
    std::shared_ptr<Shared> m_shared;
    QString m_broker;
    QString m_prefix;
};
