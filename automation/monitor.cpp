#include "automation/monitor.h"

#include "automation/dailyreadings.h"
#include "live/alarmhistory.h"
#include "live/alarmrule.h"
#include "live/qtcameracapture.h"
#include "platform/gstcamerastream.h"
#include "platform/platform.h"
#include "recording/alarmclips.h"
#include "recording/recordingformat.h"
#include "recording/replaystream.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int WatchInterval = 300;
constexpr int FlushInterval = 1000;
constexpr int RecordRetryMs = 30000;
constexpr int RecentFrames = 7;

QString readoutTexts(float maxTemp, float threshold, float emissivity)
{
    return QString::number(double(maxTemp), 'f', 1) + QLatin1Char(',')
        + QString::number(double(threshold), 'f', 1) + QLatin1Char(',')
        + QString::number(double(emissivity), 'f', 2);
}

QString failureText(CameraStream::Failure failure, const QString &detail)
{
    switch (failure) {
    case CameraStream::Failure::Busy:
        return QStringLiteral("another program holds the camera (%1)").arg(detail);
    case CameraStream::Failure::PermissionDenied:
        return QStringLiteral("no permission to open the camera; join the group video (%1)")
            .arg(detail);
    case CameraStream::Failure::StreamLost:
        return QStringLiteral("no more frames (%1)").arg(detail);
    case CameraStream::Failure::None:
    case CameraStream::Failure::Other:
        break;
    }
    return detail;
}

// "<folder>/<name>", or with " 2", " 3", ... before the suffix when that file exists: two
// recordings started within one second must not overwrite each other.
QString freshPath(const QString &folder, const QString &name)
{
    const QFileInfo info(name);
    QString path = folder + QLatin1Char('/') + name;
    for (int n = 2; QFile::exists(path); ++n)
        path = folder + QLatin1Char('/') + info.completeBaseName() + QLatin1Char(' ')
            + QString::number(n) + QLatin1Char('.') + info.suffix();
    return path;
}

} // namespace

Monitor::Monitor(const MonitorOptions &options, Platform *platform,
    std::function<void(const QString &)> log, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_platform(platform ? platform : systemPlatform())
    , m_log(std::move(log))
    , m_shownReadings(QStringLiteral("36.9,35.2,0.95"))
{
    m_surface = new QtCameraCapture(this);
    connect(&m_watch, &QTimer::timeout, this, &Monitor::watch);
    connect(&m_flush, &QTimer::timeout, this, &Monitor::flushReadings);
}

Monitor::~Monitor()
{
    stop();
}

bool Monitor::start(QString *error)
{
    m_clock.start();
    const auto fail = [&](const QString &why) {
        *error = why;
        return false;
    };
    if (!QDir().mkpath(m_options.alarmFolder))
        return fail(QStringLiteral("cannot make the alarm folder %1").arg(m_options.alarmFolder));
    if (!m_options.recordFolder.isEmpty() && !QDir().mkpath(m_options.recordFolder))
        return fail(QStringLiteral("cannot make the folder %1").arg(m_options.recordFolder));
    if (!m_options.readingsFolder.isEmpty()) {
        if (!QDir().mkpath(m_options.readingsFolder))
            return fail(QStringLiteral("cannot make the folder %1").arg(m_options.readingsFolder));
        m_readings = std::make_unique<DailyReadings>(m_options.readingsFolder);
    }
    if (m_options.source == MonitorOptions::Source::Replay) {
        const RecordingProbe probe = ReplayStream::probe(m_options.device);
        if (probe.status != RecordingProbe::Playable)
            return fail(
                QStringLiteral("%1 cannot be played: %2")
                    .arg(m_options.device,
                        probe.status == RecordingProbe::Missing ? QStringLiteral("no such file")
                            : probe.status == RecordingProbe::Foreign
                            ? QStringLiteral("not a VX305 recording")
                            : probe.detail));
        m_replayStartMs = probe.start.isValid() ? probe.start.toMSecsSinceEpoch()
                                                : QDateTime::currentMSecsSinceEpoch();
    }
    if (m_options.publish) {
        m_publisher = std::make_unique<MqttPublisher>();
        connect(m_publisher.get(), &MqttPublisher::stateChanged, this,
            [this](MqttPublisher::State state, const QString &reason) {
                m_log(MqttPublisher::describe(state, m_publisher->broker(), reason));
            });
        QString why;
        if (!m_publisher->start(m_options.mqtt, &why))
            return fail(why);
    }
    if (m_options.alarmClips) {
        m_clips = std::make_unique<AlarmClips>();
        m_clips->setWindow(m_options.preSeconds, m_options.postSeconds);
        m_clips->setCoder(m_options.coder);
        connect(m_clips.get(), &AlarmClips::clipFinished, this,
            [this](const QString &path) { m_log(QStringLiteral("clip written: %1").arg(path)); });
    }
    // Frame times are needed to record, for clips, and for a replay's reading times.
    m_surface->setRawFramesWanted(!m_options.recordFolder.isEmpty() || m_clips
        || m_options.source == MonitorOptions::Source::Replay);
    connect(m_surface, &QtCameraCapture::rawFrame, this, &Monitor::takeRawFrame);
    connect(m_surface, &QtCameraCapture::display_Qimage, this, &Monitor::takePicture);
    connect(m_surface, &QtCameraCapture::Send_MaxTemp, this, &Monitor::takeReadings);
    m_watch.start(WatchInterval);
    m_flush.start(FlushInterval);
    openStream();
    return true;
}

void Monitor::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_watch.stop();
    m_flush.stop();
    // Joins the streaming thread; frames it queued before are ignored from here on.
    if (m_stream) {
        m_stream->stop();
        delete m_stream;
        m_stream = nullptr;
    }
    finishRecording();
    if (m_clips)
        m_clips->finishAll();
    flushReadings();
    if (m_publisher)
        m_publisher->stop();
}

QString Monitor::sourceName() const
{
    switch (m_options.source) {
    case MonitorOptions::Source::Imager:
        return QStringLiteral("imager");
    case MonitorOptions::Source::Device:
        return QStringLiteral("camera %1").arg(m_options.device);
    case MonitorOptions::Source::Pipeline:
        return QStringLiteral("source");
    case MonitorOptions::Source::Replay:
        break;
    }
    return QStringLiteral("replay of %1").arg(m_options.device);
}

void Monitor::watch()
{
    if (!m_stream && m_options.source != MonitorOptions::Source::Replay
        && m_clock.elapsed() >= m_restartAtMs)
        openStream();
}

void Monitor::openStream()
{
    QString name = m_options.device;
    switch (m_options.source) {
    case MonitorOptions::Source::Imager: {
        const QList<CameraIdentity> cameras = m_platform->cameras();
        for (const CameraIdentity &camera : cameras) {
            if (isImagerCamera(camera)) {
                m_stream = m_platform->openCamera(camera, m_surface);
                name = camera.qtDeviceName;
                break;
            }
        }
        break;
    }
    case MonitorOptions::Source::Device:
        if (QFile::exists(m_options.device))
            m_stream
                = new GstCameraStream(QStringLiteral("v4l2src device=\"%1\"").arg(m_options.device),
                    m_options.device, m_surface);
        break;
    case MonitorOptions::Source::Pipeline:
        name = QStringLiteral("the source");
        m_stream = new GstCameraStream(m_options.device, QString(), m_surface);
        break;
    case MonitorOptions::Source::Replay: {
        auto *replay = new ReplayStream(m_options.device, m_surface);
        connect(replay, &ReplayStream::finished, this, [this] { emit finished(true); });
        m_stream = replay;
        break;
    }
    }
    if (!m_stream) {
        if (!m_waitingLogged)
            m_log(QStringLiteral("waiting for the %1").arg(sourceName()));
        m_waitingLogged = true;
        return;
    }
    m_waitingLogged = false;
    m_streamFramed = false;
    connect(m_stream, &CameraStream::failed, this, &Monitor::streamFailed, Qt::QueuedConnection);
    m_log(QStringLiteral("reading frames from %1").arg(name));
    m_stream->start();
}

void Monitor::streamFailed()
{
    if (!m_stream || !m_stream->hasError())
        return;
    const QString why = failureText(m_stream->failure(), m_stream->detail());
    m_log(QStringLiteral("%1 stopped: %2").arg(sourceName(), why));
    if (m_options.source == MonitorOptions::Source::Replay) {
        emit finished(false);
        return;
    }
    dropStream();
    m_failures = m_streamFramed ? 0 : m_failures + 1;
    const qint64 wait = qMin<qint64>(
        m_options.restartLastMs, qint64(m_options.restartFirstMs) << qMin(m_failures, 20));
    m_restartAtMs = m_clock.elapsed() + wait;
}

void Monitor::dropStream()
{
    m_stream->stop();
    m_stream->deleteLater();
    m_stream = nullptr;
    // A recording or clip never spans a gap in the frames.
    finishRecording();
    if (m_clips)
        m_clips->finishAll();
}

void Monitor::takeRawFrame(const QByteArray &frame, qint64 timeUs)
{
    if (m_stopped)
        return;
    m_frameTimeUs = timeUs;
    if (!m_options.recordFolder.isEmpty())
        record(frame, timeUs);
    if (m_clips)
        m_clips->frame(frame, timeUs);
}

void Monitor::takePicture(const QImage &picture)
{
    if (m_stopped)
        return;
    ++m_frames;
    m_streamFramed = true;
    if (m_recentFrames.size() >= RecentFrames)
        m_recentFrames.removeFirst();
    m_recentFrames.append(picture);
}

void Monitor::takeReadings(float maxTemp, float threshold, float emissivity)
{
    if (m_stopped)
        return;
    // The alarm on, its files on, and no one to stop it.
    const AlarmRule::Verdict verdict
        = AlarmRule::evaluate(maxTemp, threshold, true, true, &m_acknowledged, &m_alarmFrames);
    const qint64 timeMs = m_options.source == MonitorOptions::Source::Replay
        ? m_replayStartMs + qMax<qint64>(0, m_frameTimeUs) / 1000
        : QDateTime::currentMSecsSinceEpoch();
    if (m_publisher)
        m_publisher->setReadings(maxTemp, threshold, emissivity);
    if (verdict.raised() != m_alarmRaised) {
        m_alarmRaised = verdict.raised();
        const QString max = QString::number(double(maxTemp), 'f', 1);
        const QString limit = QString::number(double(threshold), 'f', 1);
        if (m_alarmRaised) {
            m_alarmSinceMs = timeMs;
            m_log(QStringLiteral("alarm: maximum %1 reached the threshold %2").arg(max, limit));
        } else {
            m_log(QStringLiteral("alarm over: maximum %1 below the threshold %2 after %3 s")
                      .arg(max, limit)
                      .arg(double(timeMs - m_alarmSinceMs) / 1000.0, 0, 'f', 1));
        }
        if (m_publisher) {
            m_publisher->setAlarm(m_alarmRaised);
            if (m_alarmRaised && !m_recentFrames.isEmpty())
                m_publisher->publishAlarmPicture(m_recentFrames.last());
        }
    }
    if (verdict.writeFolder)
        writeAlarmFolder();
    if (m_readings)
        m_readings->append(timeMs, maxTemp, threshold, emissivity);
    m_shownReadings = readoutTexts(maxTemp, threshold, emissivity);
}

void Monitor::writeAlarmFolder()
{
    if (m_recentFrames.size() != RecentFrames)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const std::optional<QString> name = AlarmHistory::writeAlarmFolder(
        m_options.alarmFolder, m_recentFrames, m_shownReadings, now);
    if (!name) {
        m_log(QStringLiteral("alarm folder could not be written in %1").arg(m_options.alarmFolder));
        return;
    }
    ++m_alarmFolders;
    const QString folder = m_options.alarmFolder + QLatin1Char('/') + *name;
    m_log(QStringLiteral("alarm folder written: %1").arg(folder));
    if (!m_clips || m_frameTimeUs < 0)
        return;
    const QDateTime when = m_options.source == MonitorOptions::Source::Replay
        ? QDateTime::fromMSecsSinceEpoch(m_replayStartMs + m_frameTimeUs / 1000)
        : now;
    if (!m_clips->startClip(
            folder + QLatin1Char('/') + RecordingFormat::clipName(), m_frameTimeUs, when))
        m_log(QStringLiteral("the clip of %1 could not be started").arg(folder));
}

void Monitor::record(const QByteArray &frame, qint64 timeUs)
{
    if (m_recorder && m_recorder->durationUs() >= m_options.splitUs)
        finishRecording();
    if (!m_recorder) {
        if (m_clock.elapsed() < m_recordRetryAtMs)
            return;
        auto recorder = std::make_unique<Recorder>();
        recorder->setCoder(m_options.coder);
        const QDateTime now = m_options.source == MonitorOptions::Source::Replay
            ? QDateTime::fromMSecsSinceEpoch(m_replayStartMs + timeUs / 1000)
            : QDateTime::currentDateTime();
        const QString path = freshPath(m_options.recordFolder, RecordingFormat::recordingName(now));
        if (!recorder->start(path, now)) {
            m_log(QStringLiteral("cannot record to %1: %2").arg(path, recorder->errorText()));
            m_recordRetryAtMs = m_clock.elapsed() + RecordRetryMs;
            return;
        }
        connect(recorder.get(), &Recorder::failed, this, [this] {
            m_log(QStringLiteral("recording %1 stopped: %2")
                      .arg(m_recorder->path(), m_recorder->errorText()));
            // Released from its own signal; what was written plays.
            m_recorder.release()->deleteLater();
            m_recordRetryAtMs = m_clock.elapsed() + RecordRetryMs;
        });
        m_recorder = std::move(recorder);
        m_log(QStringLiteral("recording to %1").arg(path));
    }
    m_recorder->push(frame, timeUs);
}

void Monitor::finishRecording()
{
    if (!m_recorder)
        return;
    m_recorder->finish();
    m_log(QStringLiteral("recording finished: %1 (%2 frames)")
              .arg(m_recorder->path())
              .arg(m_recorder->frames()));
    m_recorder.reset();
}

void Monitor::flushReadings()
{
    if (!m_readings || m_readings->flush() || m_readings->errorText() == m_readingsError)
        return;
    m_readingsError = m_readings->errorText();
    m_log(QStringLiteral("cannot write the readings to %1: %2")
              .arg(m_readings->path(), m_readingsError));
}
