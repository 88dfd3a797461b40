#pragma once

// A mosquitto broker of the test's own and a mosquitto_sub on it.

#include "testsupport.h"

#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include <optional>

// A mosquitto of the test's own on a free loopback port.
class Broker
{
public:
    explicit Broker(const QString &config = "allow_anonymous true\n")
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        writeConfig(QString("listener %1 127.0.0.1\npersistence false\n").arg(port) + config);
    }
    ~Broker() { stop(); }
    bool start()
    {
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start("mosquitto", {"-c", dir.filePath("broker.conf")});
        return QTest::qWaitFor([&] { return process.readAll().contains(" running"); }, 20000);
    }
    void stop()
    {
        process.kill();
        process.waitForFinished();
    }
    void writeConfig(const QString &text) const
    {
        QFile file(dir.filePath("broker.conf"));
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
    }
    QString url() const { return "mqtt://127.0.0.1:" + QString::number(port); }
    QTemporaryDir dir;
    quint16 port = 0;
    QProcess process;
};

// mosquitto_sub on the broker, every message kept with its retained flag.
class Subscriber
{
public:
    struct Received
    {
        bool retained;
        QString topic;
        QByteArray payload;
    };
    explicit Subscriber(quint16 port)
    {
        // Line-buffered, so the debug line of the subscription shows before any message.
        process.start("stdbuf",
            {"-oL", "mosquitto_sub", "-h", "127.0.0.1", "-p", QString::number(port), "-d", "-F",
                "MSG|%r|%t|%x", "-t", "vx305/#", "-t", "homeassistant/#"});
        subscribed = QTest::qWaitFor([&] { return read(), log.contains("SUBACK"); }, 20000);
    }
    ~Subscriber()
    {
        process.kill();
        process.waitForFinished();
    }
    QList<Received> messages()
    {
        read();
        QList<Received> list;
        // Whole lines only: a long payload may still be on its way.
        for (const QByteArray &line : log.left(log.lastIndexOf('\n')).split('\n')) {
            const QList<QByteArray> parts = line.split('|');
            if (parts.size() == 4 && parts[0] == "MSG")
                list << Received {parts[1] == "1", parts[2], QByteArray::fromHex(parts[3])};
        }
        return list;
    }
    // The first message on the topic (with that payload, when given) seen within 20 s.
    std::optional<Received> waitFor(const QString &topic, const QByteArray &payload = {})
    {
        std::optional<Received> found;
        return QTest::qWaitFor(
                   [&] {
                       for (const Received &m : messages())
                           if (m.topic == topic && (payload.isNull() || m.payload == payload))
                               return found = m, true;
                       return false;
                   },
                   20000)
            ? found
            : std::nullopt;
    }
    bool subscribed = false;

private:
    void read() { log += process.readAllStandardOutput(); }
    QProcess process;
    QByteArray log;
};

