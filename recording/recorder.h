#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

typedef struct _GstElement GstElement;

// Writes live frames into a recording (recording/recordingformat.h) through GStreamer:
// appsrc ! FFV1 ! matroskamux ! fdsink on a file of our own. The file is written as a
// live stream: clusters of a second, no index needed to play it, the data forced to the
// disk once a second, so a killed process or a power cut leaves a file that plays up to
// about its last second. A normal finish adds the index, so a long file seeks fast.
// Frames are pushed on the thread that owns the recorder; encoding and writing run on
// GStreamer's threads.
class Recorder : public QObject
{
    Q_OBJECT

public:
    // At most `queuedSeconds` of frames (at 25 a second) wait for the encoder; a slower
    // encoder loses frames rather than memory. A clip pushes its pre-alarm seconds at once.
    // 0: push() waits for the encoder instead, for files written from frames at hand.
    explicit Recorder(QObject *parent = nullptr, int queuedSeconds = 2);
    // FFV1's entropy coder: the range coder writes files about 4 % smaller, Golomb-Rice costs
    // about a third less CPU. Both decode to the same frames.
    enum class Coder { Range, Rice };
    ~Recorder() override;
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    // Creates the file (its folder too) and starts the pipeline; `start` is the wall time of
    // the first frame, stored as the file's date. False, with errorText(), when the file
    // cannot be created or GStreamer lacks an element.
    bool start(const QString &path, const QDateTime &start);
    // For the recordings started after it; Range unless set.
    void setCoder(Coder coder) { m_coder = coder; }
    // One live frame (the picture, with or without its trailer) at `timeUs`, a monotonic
    // time in microseconds; the first frame is at 0 in the file. Ignored when not recording.
    void push(const QByteArray &frame, qint64 timeUs);
    // Ends the file: the frames pushed so far are written, then the index. Blocks until then,
    // or until the file has not grown for two seconds. Nothing happens when not recording.
    void finish();

    [[nodiscard]] bool isRecording() const { return m_pipeline != nullptr; }
    [[nodiscard]] QString path() const { return m_path; }
    [[nodiscard]] int frames() const { return m_frames; }
    // From the first frame to the last pushed, in microseconds.
    [[nodiscard]] qint64 durationUs() const { return m_frames ? m_lastUs - m_firstUs : 0; }
    // The file's size so far.
    [[nodiscard]] qint64 fileBytes() const;
    // Why the recording could not start or stopped (untranslated GStreamer or system text).
    [[nodiscard]] QString errorText() const { return m_error; }

signals:
    // A write failed (disk full, file too large, device gone): the recording has stopped and
    // what was written plays. Emitted on the owning thread.
    void failed();

private:
    void readBus();
    void stopPipeline();
    void syncLoop();

    QString m_path;
    QString m_error;
    int m_queuedSeconds;
    Coder m_coder = Coder::Range;
    GstElement *m_pipeline = nullptr;
    GstElement *m_source = nullptr;
    int m_fd = -1;
    int m_frames = 0;
    qint64 m_firstUs = 0;
    qint64 m_lastUs = 0;
    QTimer m_busTimer;
    // Forces the data to the disk once a second, off the GUI thread.
    std::thread m_syncer;
    std::mutex m_syncMutex;
    std::condition_variable m_syncWake;
    bool m_syncStop = false;
};
