#include "automation/mqttpublisher.h"

#include <QBuffer>
#include <QMetaObject>

#include <mosquitto.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#ifndef Q_OS_WIN
#include <csignal>
#include <pthread.h>
#endif

using namespace MqttMessages;

namespace {

// Alarm pictures waiting beyond these are dropped, the oldest first.
constexpr std::size_t MaxWaitingPictures = 4;
// How long mosquitto_loop waits for the socket before the waiting work is looked at again.
constexpr int LoopWaitMs = 100;
// How long stop() waits for the network thread.
constexpr auto StopWaitTime = std::chrono::seconds(2);

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A failed library call as words; errno is read at once, before anything can change it.
QString failure(int rc, int error)
{
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(error));
    if (rc == MOSQ_ERR_EAI)
        return QStringLiteral("the host name is unknown");
    if (rc == MOSQ_ERR_CONN_LOST)
        return QStringLiteral("the broker closed the connection");
    return QString::fromUtf8(mosquitto_strerror(rc));
}

} // namespace

struct MqttPublisher::Shared
{
    std::mutex mutex;
    std::condition_variable wake;
    // Bumped by start() and stop(): a network thread whose run is no longer current ends, and
    // says nothing more.
    int generation = 0;
    bool running = false;
    int finished = 0; // the last run whose thread ended
    std::thread thread;
    MqttPublisher *owner = nullptr;
    State state = Off;
    QString reason;

    // What waits to go out, the newest only for readings and the alarm.
    bool haveReadings = false;
    bool readingsWaiting = false;
    float maxTemp = 0.0f;
    float threshold = 0.0f;
    float emissivity = 0.0f;
    bool haveAlarm = false;
    bool alarm = false;
    bool alarmWaiting = false;
    std::deque<QImage> pictures;

    // Under the lock: the run is over.
    [[nodiscard]] bool over(int run) const { return generation != run; }

    void setState(int run, State newState, const QString &why)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (over(run) || (state == newState && reason == why))
            return;
        state = newState;
        reason = why;
        // Posted under the lock: the publisher clears owner under it before it goes.
        if (MqttPublisher *target = owner) {
            QMetaObject::invokeMethod(
                target, [target, newState, why] { emit target->stateChanged(newState, why); },
                Qt::QueuedConnection);
        }
    }
};

namespace {

// One run's settings, fixed when it starts.
struct Run
{
    MqttSettings settings;
    BrokerUrl broker;
    QString id;
    QString clientId;
    int generation = 0;
};

} // namespace

namespace {

// The network thread's own view of its run and connection.
struct Link
{
    MqttPublisher::Shared *shared = nullptr;
    const Run *run = nullptr;
    bool open = false; // a socket the library talks over
    bool connected = false; // the broker accepted
    bool refused = false; // the broker answered with a refusal
    bool fresh = false; // accepted, and nothing published on this connection yet
    QString refusal;
    ReadingGate gate;
};

void publish(mosquitto *client, const Message &message)
{
    const QByteArray topic = message.topic.toUtf8();
    mosquitto_publish(client, nullptr, topic.constData(), int(message.payload.size()),
        message.payload.constData(), message.qos, message.retained);
}

QByteArray pngBytes(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

} // namespace

// Everything that goes out leaves from here, on the network thread, and only while connected.
static void sendWaiting(mosquitto *client, Link *link)
{
    MqttPublisher::Shared *shared = link->shared;
    const QString &id = link->run->id;
    const bool fresh = link->fresh;
    if (fresh) {
        link->fresh = false;
        publish(client, {topic(id, QStringLiteral("status")), "online", true, 1});
        for (const Message &message : discovery(id, link->run->settings.unit))
            publish(client, message);
    }
    QList<Message> messages;
    std::deque<QImage> pictures;
    {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        const bool alarmChanged = shared->alarmWaiting;
        if (shared->haveAlarm && (alarmChanged || fresh)) {
            messages << Message {
                topic(id, QStringLiteral("alarm")), shared->alarm ? "on" : "off", true, 1};
            shared->alarmWaiting = false;
        }
        const qint64 now = nowMs();
        if (shared->haveReadings && (shared->readingsWaiting || fresh)
            && link->gate.due(now, alarmChanged || fresh)) {
            messages << Message {topic(id, QStringLiteral("max")), readingText(shared->maxTemp)}
                     << Message {topic(id, QStringLiteral("threshold")),
                            readingText(shared->threshold)}
                     << Message {topic(id, QStringLiteral("emissivity")),
                            readingText(shared->emissivity, 2)};
            shared->readingsWaiting = false;
            link->gate.sent(now);
        }
        pictures.swap(shared->pictures);
    }
    for (const Message &message : qAsConst(messages))
        publish(client, message);
    // Encoded here, never on the caller's thread.
    for (const QImage &picture : pictures)
        publish(client, {topic(id, QStringLiteral("alarm_picture")), pngBytes(picture)});
}

static void onConnect(mosquitto *, void *data, int rc)
{
    auto *link = static_cast<Link *>(data);
    if (rc == 0) {
        link->connected = true;
        link->fresh = true;
        link->shared->setState(link->run->generation, MqttPublisher::Connected, QString());
        return;
    }
    link->refused = true;
    link->shared->setState(link->run->generation, MqttPublisher::Refused,
        QString::fromUtf8(mosquitto_connack_string(rc)));
}

static void runNetwork(const std::shared_ptr<MqttPublisher::Shared> &shared, const Run &run)
{
#ifndef Q_OS_WIN
    // A write to a socket the broker closed raises SIGPIPE in the writing thread; blocked here,
    // the write fails with EPIPE instead of ending the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
#endif
    const MqttSettings &settings = run.settings;
    const BrokerUrl &broker = run.broker;
    const int generation = run.generation;
    Link link;
    link.shared = shared.get();
    link.run = &run;
    mosquitto *client = mosquitto_new(run.clientId.toUtf8().constData(), true, &link);
    const QByteArray status = topic(run.id, QStringLiteral("status")).toUtf8();
    mosquitto_will_set(client, status.constData(), 7, "offline", 1, true);
    if (!broker.user.isEmpty())
        mosquitto_username_pw_set(client, broker.user.toUtf8().constData(),
            broker.password.isEmpty() ? nullptr : broker.password.toUtf8().constData());
    if (broker.tls) {
        mosquitto_int_option(client, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        if (!settings.caFile.isEmpty())
            mosquitto_tls_set(client, settings.caFile.toLocal8Bit().constData(), nullptr, nullptr,
                nullptr, nullptr);
    }
    mosquitto_connect_callback_set(client, onConnect);

    const QByteArray host = broker.host.toUtf8();
    bool everOpened = false;
    int failures = 0;
    const auto waitBeforeRetry = [&] {
        const qint64 delay = qMin<qint64>(
            settings.retryLastMs, qint64(settings.retryFirstMs) << qMin(failures, 20));
        ++failures;
        std::unique_lock<std::mutex> lock(shared->mutex);
        shared->wake.wait_for(
            lock, std::chrono::milliseconds(delay), [&] { return shared->over(generation); });
    };
    shared->setState(generation, MqttPublisher::Connecting, QString());
    for (;;) {
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->over(generation))
                break;
        }
        if (!link.open) {
            // Blocking, name lookup included: this is the only thread it can hold up.
            const int rc = everOpened ? mosquitto_reconnect(client)
                                      : mosquitto_connect(client, host.constData(), broker.port,
                                          settings.keepAliveSeconds);
            const int error = errno;
            if (rc != MOSQ_ERR_SUCCESS) {
                shared->setState(generation, MqttPublisher::Unreachable, failure(rc, error));
                waitBeforeRetry();
                continue;
            }
            everOpened = true;
            link.open = true;
            link.connected = false;
            link.refused = false;
        }
        const int rc = mosquitto_loop(client, LoopWaitMs, 1);
        const int error = errno;
        if (rc != MOSQ_ERR_SUCCESS) {
            // A refusal was said by the connect callback already.
            if (link.connected)
                shared->setState(generation, MqttPublisher::Lost, failure(rc, error));
            else if (!link.refused)
                shared->setState(generation, MqttPublisher::Unreachable, failure(rc, error));
            link.open = false;
            link.connected = false;
            waitBeforeRetry();
            continue;
        }
        if (link.connected) {
            failures = 0;
            sendWaiting(client, &link);
        }
    }
    if (link.connected) {
        publish(client, {topic(run.id, QStringLiteral("status")), "offline", true, 1});
        mosquitto_disconnect(client);
        // Until the library has written what is queued and closed the socket.
        for (int i = 0; i < 10 && mosquitto_loop(client, LoopWaitMs, 1) == MOSQ_ERR_SUCCESS; ++i) {
        }
    }
    mosquitto_destroy(client);
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->finished = generation;
    shared->wake.notify_all();
}

MqttPublisher::MqttPublisher(QObject *parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    // For queued connections of stateChanged and for QSignalSpy.
    qRegisterMetaType<MqttPublisher::State>();
    m_shared->owner = this;
}

MqttPublisher::~MqttPublisher()
{
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->owner = nullptr;
    }
    stop();
}

bool MqttPublisher::start(const MqttSettings &settings, QString *error)
{
    QString why;
    std::optional<BrokerUrl> broker;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->running)
            why = QStringLiteral("already publishing");
    }
    if (why.isEmpty())
        broker = parseBrokerUrl(settings.url, &why);
    if (!broker) {
        if (error)
            *error = why;
        return false;
    }
    static std::once_flag initialised;
    std::call_once(initialised, [] { mosquitto_lib_init(); });

    Run run;
    run.settings = settings;
    run.broker = *broker;
    if (!settings.user.isEmpty())
        run.broker.user = settings.user;
    if (!settings.password.isEmpty())
        run.broker.password = settings.password;
    run.id = topicId(settings.imagerId);
    run.clientId
        = settings.clientId.isEmpty() ? QStringLiteral("vx305-") + run.id : settings.clientId;
    m_broker = run.broker.redacted();
    m_prefix = topic(run.id, QString());

    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    run.generation = ++m_shared->generation;
    m_shared->running = true;
    m_shared->thread = std::thread(runNetwork, m_shared, run);
    return true;
}

void MqttPublisher::stop()
{
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(m_shared->mutex);
        if (!m_shared->running)
            return;
        m_shared->running = false;
        const int run = m_shared->generation++;
        m_shared->wake.notify_all();
        ended = m_shared->wake.wait_for(
            lock, StopWaitTime, [&] { return m_shared->finished == run; });
        m_shared->state = Off;
        m_shared->reason.clear();
        m_shared->pictures.clear();
        // Queued like the network thread's news, so it arrives after them.
        if (m_shared->owner)
            QMetaObject::invokeMethod(
                this, [this] { emit stateChanged(Off, QString()); }, Qt::QueuedConnection);
    }
    // A thread still inside a blocking connect ends by itself; it holds what it uses.
    if (ended)
        m_shared->thread.join();
    else
        m_shared->thread.detach();
}

MqttPublisher::State MqttPublisher::state() const
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->state;
}

QString MqttPublisher::reason() const
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->reason;
}

QString MqttPublisher::broker() const
{
    return m_broker;
}

QString MqttPublisher::topicPrefix() const
{
    return m_prefix;
}

QString MqttPublisher::describe(State state, const QString &broker, const QString &reason)
{
    switch (state) {
    case Off:
        return QStringLiteral("publishing to %1 stopped").arg(broker);
    case Connecting:
        return QStringLiteral("connecting to %1").arg(broker);
    case Connected:
        return QStringLiteral("connected to %1").arg(broker);
    case Refused:
        return QStringLiteral("%1 refused the connection: %2").arg(broker, reason);
    case Unreachable:
        return QStringLiteral("%1 cannot be reached: %2").arg(broker, reason);
    case Lost:
        return QStringLiteral("connection to %1 lost: %2").arg(broker, reason);
    }
    return QString();
}

void MqttPublisher::setReadings(float maxTemp, float threshold, float emissivity)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->haveReadings = true;
    m_shared->readingsWaiting = true;
    m_shared->maxTemp = maxTemp;
    m_shared->threshold = threshold;
    m_shared->emissivity = emissivity;
}

void MqttPublisher::setAlarm(bool on)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->haveAlarm && m_shared->alarm == on)
        return;
    m_shared->haveAlarm = true;
    m_shared->alarm = on;
    m_shared->alarmWaiting = true;
}

void MqttPublisher::publishAlarmPicture(const QImage &frame)
{
    if (frame.isNull())
        return;
    // A frame may wrap a buffer its owner reuses; the copy is the publisher's own.
    const QImage copy = frame.copy();
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (!m_shared->running)
        return;
    m_shared->pictures.push_back(copy);
    while (m_shared->pictures.size() > MaxWaitingPictures)
        m_shared->pictures.pop_front();
}
