#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM into the event loop: the handler only writes the signal's number into a
// pipe, whose reading end a socket notifier watches, so the program stops from its own loop
// with every file closed. One at a time; the handlers go back to the defaults with it.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

signals:
    // "SIGTERM" or "SIGINT".
    void received(const QString &name);

private:
    void read();
    QSocketNotifier *m_notifier = nullptr;
};
