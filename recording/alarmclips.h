#pragma once

#include "recording/prealarmbuffer.h"
#include "recording/recorder.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// Alarm clips: keeps the last seconds of live frames and, for each alarm, writes the frames
// of its window into a clip, those of the `pre` seconds up to the alarm frame and those of
// the `post` seconds after it: times t with alarm - pre < t <= alarm + post.
class AlarmClips : public QObject
{
    Q_OBJECT

public:
    explicit AlarmClips(QObject *parent = nullptr);
    ~AlarmClips() override;

    // The window in seconds; a longer pre-alarm span keeps more frames from now on.
    void setWindow(int preSeconds, int postSeconds);
    [[nodiscard]] qint64 preUs() const { return m_preUs; }
    [[nodiscard]] qint64 postUs() const { return m_postUs; }
    // The coder of the clips started from now on.
    void setCoder(Recorder::Coder coder) { m_coder = coder; }

    // Every live frame, in order: kept for later clips and written into open ones; a clip
    // whose window has passed is finished.
    void frame(const QByteArray &bytes, qint64 timeUs);
    // Starts a clip at `path` for an alarm at the frame of `alarmUs` (already given to
    // frame()); `wallTime` is that frame's wall time. False when the file cannot be made.
    bool startClip(const QString &path, qint64 alarmUs, const QDateTime &wallTime);
    // Finishes every open clip with the frames it has.
    void finishAll();
    // Drops the kept frames (and finishes open clips).
    void clear();

    [[nodiscard]] const PreAlarmBuffer &buffer() const { return m_buffer; }
    [[nodiscard]] int openClips() const { return int(m_clips.size()); }

signals:
    void clipFinished(const QString &path);

private:
    struct Clip
    {
        std::unique_ptr<Recorder> recorder;
        qint64 endUs;
    };

    PreAlarmBuffer m_buffer;
    std::vector<Clip> m_clips;
    qint64 m_preUs = 10000000;
    qint64 m_postUs = 10000000;
    Recorder::Coder m_coder = Recorder::Coder::Range;
};
