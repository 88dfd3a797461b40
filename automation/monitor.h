#pragma once

#include "automation/mqttpublisher.h"
#include "recording/recorder.h"

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class AlarmClips;
class CameraStream;
class DailyReadings;
class Platform;
class QtCameraCapture;

struct MonitorOptions
{
    enum class Source {
        Imager, // the camera the platform finds with the imager's identity
        Device, // one video node
        Pipeline, // a GStreamer description standing in for v4l2src
        Replay, // a recording, played once at its own pace
    };
    Source source = Source::Imager;
    QString device; // the node, the description or the recording
    QString alarmFolder; // alarm folders go in here
    QString readingsFolder; // one CSV a day; empty: none
    QString recordFolder; // empty: no recording
    Recorder::Coder coder = Recorder::Coder::Rice;
    // A new recording file after this much of the current one.
    qint64 splitUs = qint64(3600) * 1000000;
    bool alarmClips = false;
    int preSeconds = 10;
    int postSeconds = 10;
    bool publish = false;
    MqttSettings mqtt;
    // Waits before a failed stream is started again: the first, doubling up to the last.
    int restartFirstMs = 1000;
    int restartLastMs = 30000;
};

// Screen mode without a window: the imager's frames through the live window's surface, the
// live window's alarm evaluation with the alarm and its files on, alarm folders and clips,
// recordings, the readings log and MQTT. Looks for the imager every 300 ms as the main window
// does and starts a failed stream again. Everything runs on the thread that owns it, the frames
// arriving as the live window's do.
class Monitor : public QObject
{
    Q_OBJECT

public:
    // `log` takes one line for each alarm, each connection change and each file problem.
    Monitor(const MonitorOptions &options, Platform *platform,
        std::function<void(const QString &)> log, QObject *parent = nullptr);
    ~Monitor() override;

    // Makes the folders, checks a replay and starts publishing; the frames follow. False, with
    // the reason, when one of them cannot be had.
    bool start(QString *error);
    // Stops the frames, then finishes the recording and the clips, writes the readings and says
    // "offline". Every file is whole when it returns.
    void stop();

    [[nodiscard]] qint64 frames() const { return m_frames; }
    [[nodiscard]] int alarmFolders() const { return m_alarmFolders; }

signals:
    // The replay reached its end (true) or could not be played (false).
    void finished(bool played);

private:
    void watch();
    void openStream();
    void streamFailed();
    void dropStream();
    void takeRawFrame(const QByteArray &frame, qint64 timeUs);
    void takePicture(const QImage &picture);
    void takeReadings(float maxTemp, float threshold, float emissivity);
    void record(const QByteArray &frame, qint64 timeUs);
    void finishRecording();
    void writeAlarmFolder();
    void flushReadings();
    [[nodiscard]] QString sourceName() const;

    MonitorOptions m_options;
    Platform *m_platform;
    std::function<void(const QString &)> m_log;
    QtCameraCapture *m_surface = nullptr;
    CameraStream *m_stream = nullptr;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<AlarmClips> m_clips;
    std::unique_ptr<DailyReadings> m_readings;
    std::unique_ptr<MqttPublisher> m_publisher;
    QTimer m_watch;
    QTimer m_flush;
    QElapsedTimer m_clock;
    bool m_stopped = false;
    bool m_waitingLogged = false;
    int m_failures = 0; // stream starts in a row that gave no frame
    qint64 m_restartAtMs = 0;
    qint64 m_recordRetryAtMs = 0;
    qint64 m_replayStartMs = 0;
    qint64 m_frames = 0;
    bool m_streamFramed = false; // the current stream gave a frame
    qint64 m_frameTimeUs = -1;
    // The alarm evaluation's state, as the live window keeps it.
    bool m_acknowledged = false;
    int m_alarmFrames = 0;
    bool m_alarmRaised = false;
    qint64 m_alarmSinceMs = 0;
    QList<QImage> m_recentFrames;
    QString m_shownReadings; // the readouts' texts after the previous frame
    int m_alarmFolders = 0;
    QString m_readingsError;
};
