#pragma once

#include "platform/camerastream.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

class QAbstractVideoSurface;
typedef struct _GstElement GstElement;
typedef struct _GstSample GstSample;

// A pipeline that decodes a recording's frames into the appsink named "frames", not yet
// started; nullptr (with `error`) when GStreamer lacks an element.
[[nodiscard]] GstElement *recordingDecoder(const QString &path, QString *error);

// The live frame (picture and, when it came with them, readings) of a decoded sample;
// empty when the sample is not one of ours.
[[nodiscard]] QByteArray liveFrameOf(GstSample *sample);

// What a file holds, as far as the replay can tell before playing it.
struct RecordingProbe
{
    enum Status {
        Playable,
        Missing, // no such file
        Foreign, // a video or other media, but not a recording of ours
        Damaged, // not readable as media at all, or a recording that cannot be decoded
    };
    Status status = Missing;
    qint64 durationUs = -1; // -1 when the file does not say (a cut file)
    QDateTime start; // the wall time of the first frame, when the file has it
    QString detail; // GStreamer's own text, untranslated
};

// A recording played into a video surface as if the imager sent it: the frames the file
// holds, bit-exact and in order, at the pace of their times (or faster or slower), with
// pause, single steps and seeks. Frames are decoded ahead on GStreamer's threads and
// presented on the thread that owns the stream, each with its time in the file as the
// frame's start time (microseconds).
class ReplayStream final : public CameraStream
{
    Q_OBJECT

public:
    ReplayStream(const QString &path, QAbstractVideoSurface *surface, QObject *parent = nullptr);
    ~ReplayStream() override;

    // Opens the file far enough to know whether it plays; blocks for at most a few seconds.
    [[nodiscard]] static RecordingProbe probe(const QString &path);

    // Starts decoding and playing from the start.
    void start() override;
    void stop() override;
    [[nodiscard]] bool isActive() const override { return m_pipeline != nullptr; }
    [[nodiscard]] Failure failure() const override { return m_failure; }
    [[nodiscard]] QString detail() const override { return m_detail; }

    void play();
    void pause();
    [[nodiscard]] bool isPlaying() const { return m_playing; }
    // Presents the next frame; pauses first.
    void step();
    // Goes to the frame at `us` (the first at or after it) and presents it; keeps playing or
    // paused as it was.
    void seek(qint64 us);
    // 1.0 is the recorded pace.
    void setSpeed(double speed);
    [[nodiscard]] double speed() const { return m_speed; }

    // The time of the frame presented last, -1 before the first; the length of the file.
    [[nodiscard]] qint64 positionUs() const { return m_positionUs; }
    [[nodiscard]] qint64 durationUs() const { return m_durationUs; }

signals:
    void positionChanged(qint64 us);
    void playingChanged(bool playing);
    // The last frame was presented; the stream pauses there.
    void finished();

private:
    bool build();
    void tick();
    // Takes the next decoded frame, waiting at most `timeoutNs`; false at the end or on none.
    bool takeNext(quint64 timeoutNs);
    void presentPending();
    void restartClock();
    void schedule();
    void readBus();
    void fail(Failure failure, const QString &detail);

    QString m_path;
    QAbstractVideoSurface *m_surface;
    GstElement *m_pipeline = nullptr;
    GstElement *m_sink = nullptr;
    GstSample *m_pending = nullptr;
    qint64 m_pendingUs = -1;
    QTimer m_pacer;
    QTimer m_busTimer;
    QElapsedTimer m_clock;
    qint64 m_clockBaseUs = 0; // file time at the clock's start
    bool m_playing = false;
    bool m_atEnd = false;
    double m_speed = 1.0;
    qint64 m_positionUs = -1;
    qint64 m_durationUs = -1;
    Failure m_failure = Failure::None;
    QString m_detail;
};
