#include "recording/replaystream.h"

#include "platform/gstcamerastream.h"
#include "recording/gsterrors.h"
#include "recording/recordingformat.h"

#include <QAbstractVideoSurface>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <gst/app/gstappsink.h>
#include <gst/base/gsttypefindhelper.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstring>

namespace {

constexpr int BusPollInterval = 100;
constexpr int RetryInterval = 4;
constexpr quint64 SeekTimeoutNs = 3 * GST_SECOND;
constexpr GstClockTime ProbeTimeout = 5 * GST_SECOND;
constexpr qint64 HeadBytes = 64 * 1024;

} // namespace

// The frames are taken one by one; a few wait ready.
GstElement *recordingDecoder(const QString &path, QString *error)
{
    if (!gstreamerReady()) {
        *error = QStringLiteral("GStreamer is not available");
        return nullptr;
    }
    const QString description =
            QStringLiteral("filesrc name=file ! matroskademux ! avdec_ffv1 ! appsink name=frames "
                           "sync=false max-buffers=4 caps=%1")
                    .arg(QLatin1String(RecordingFormat::planarCaps()))
                    .replace(QLatin1String(",framerate=0/1"), QString());
    GError *gerror = nullptr;
    GstElement *pipeline = gst_parse_launch(description.toUtf8().constData(), &gerror);
    if (gerror || !pipeline) {
        *error = gerror ? QString::fromUtf8(gerror->message) : QStringLiteral("no pipeline");
        g_clear_error(&gerror);
        if (pipeline)
            gst_object_unref(pipeline);
        return nullptr;
    }
    GstElement *file = gst_bin_get_by_name(GST_BIN(pipeline), "file");
    g_object_set(file, "location", QFile::encodeName(path).constData(), nullptr);
    gst_object_unref(file);
    return pipeline;
}

QByteArray liveFrameOf(GstSample *sample)
{
    GstVideoInfo info;
    GstVideoFrame planes;
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))
        || GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_Y42B
        || GST_VIDEO_INFO_WIDTH(&info) != RecordingFormat::Width
        || GST_VIDEO_INFO_HEIGHT(&info) != RecordingFormat::Height
        || !gst_video_frame_map(&planes, &info, buffer, GST_MAP_READ))
        return {};
    const auto plane = [&](int i) {
        return static_cast<const uchar *>(GST_VIDEO_FRAME_PLANE_DATA(&planes, i));
    };
    const QByteArray bytes = RecordingFormat::fromPlanar(
            plane(0), GST_VIDEO_FRAME_PLANE_STRIDE(&planes, 0), plane(1),
            GST_VIDEO_FRAME_PLANE_STRIDE(&planes, 1), plane(2),
            GST_VIDEO_FRAME_PLANE_STRIDE(&planes, 2));
    gst_video_frame_unmap(&planes);
    return bytes;
}

namespace {

// A media type GStreamer sees in the file's first bytes, empty when none.
QString mediaType(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(HeadBytes);
    GstCaps *caps = gst_type_find_helper_for_data(
            nullptr, reinterpret_cast<const guint8 *>(head.constData()), gsize(head.size()),
            nullptr);
    if (!caps)
        return {};
    const QString type = QString::fromUtf8(gst_structure_get_name(gst_caps_get_structure(caps, 0)));
    gst_caps_unref(caps);
    return type;
}

} // namespace

ReplayStream::ReplayStream(const QString &path, QAbstractVideoSurface *surface, QObject *parent)
    : CameraStream(parent), m_path(path), m_surface(surface)
{
    m_pacer.setSingleShot(true);
    m_pacer.setTimerType(Qt::PreciseTimer);
    connect(&m_pacer, &QTimer::timeout, this, &ReplayStream::tick);
    connect(&m_busTimer, &QTimer::timeout, this, &ReplayStream::readBus);
}

ReplayStream::~ReplayStream()
{
    stop();
}

RecordingProbe ReplayStream::probe(const QString &path)
{
    RecordingProbe probe;
    if (!QFileInfo(path).isFile())
        return probe;
    probe.status = RecordingProbe::Damaged;
    if (!gstreamerReady())
        return probe;
    const QString type = mediaType(path);
    if (type.isEmpty())
        return probe;
    if (type != QLatin1String("video/x-matroska")) {
        // Text and the like are no media at all; anything else is someone else's.
        if (type.startsWith(QLatin1String("text/")))
            return probe;
        probe.status = RecordingProbe::Foreign;
        probe.detail = type;
        return probe;
    }
    GstElement *pipeline = recordingDecoder(path, &probe.detail);
    if (!pipeline)
        return probe;
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    GstBus *bus = gst_element_get_bus(pipeline);
    for (;;) {
        GstMessage *message = gst_bus_timed_pop_filtered(
                bus, ProbeTimeout,
                GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR | GST_MESSAGE_TAG));
        if (!message) {
            probe.detail = QStringLiteral("timed out");
            break;
        }
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if (type == GST_MESSAGE_TAG) {
            GstTagList *tags = nullptr;
            gst_message_parse_tag(message, &tags);
            GstDateTime *date = nullptr;
            if (gst_tag_list_get_date_time(tags, GST_TAG_DATE_TIME, &date)) {
                if (GDateTime *g = gst_date_time_to_g_date_time(date)) {
                    probe.start = QDateTime::fromMSecsSinceEpoch(
                            g_date_time_to_unix(g) * 1000
                            + g_date_time_get_microsecond(g) / 1000);
                    g_date_time_unref(g);
                }
                gst_date_time_unref(date);
            }
            gst_tag_list_unref(tags);
        } else if (type == GST_MESSAGE_ERROR) {
            QByteArray why;
            probe.detail = gstErrorText(message, &why);
            // A track our decoder does not take: some other program's video.
            if (why.contains("not-linked") || why.contains("not-negotiated"))
                probe.status = RecordingProbe::Foreign;
        } else {
            gint64 duration = -1;
            if (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &duration) && duration >= 0)
                probe.durationUs = duration / 1000;
            probe.status = RecordingProbe::Playable;
        }
        gst_message_unref(message);
        if (type != GST_MESSAGE_TAG)
            break;
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return probe;
}

bool ReplayStream::build()
{
    QString error;
    m_pipeline = recordingDecoder(m_path, &error);
    if (!m_pipeline) {
        fail(Failure::Other, error);
        return false;
    }
    m_sink = gst_bin_get_by_name(GST_BIN(m_pipeline), "frames");
    return true;
}

void ReplayStream::start()
{
    if (m_pipeline || hasError() || !build())
        return;
    if (!m_surface->isActive())
        m_surface->start(QVideoSurfaceFormat(QSize(RecordingFormat::Width, RecordingFormat::Height),
                                             QVideoFrame::Format_YUYV));
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        readBus();
        if (!hasError())
            fail(Failure::Other, QStringLiteral("state change failed"));
        return;
    }
    m_busTimer.start(BusPollInterval);
    play();
}

void ReplayStream::stop()
{
    m_pacer.stop();
    m_busTimer.stop();
    if (m_pending)
        gst_sample_unref(m_pending);
    m_pending = nullptr;
    if (m_pipeline) {
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        gst_object_unref(m_sink);
        gst_object_unref(m_pipeline);
        m_sink = nullptr;
        m_pipeline = nullptr;
    }
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
    if (m_surface->isActive())
        m_surface->stop();
}

void ReplayStream::play()
{
    if (!m_pipeline || m_playing)
        return;
    if (m_atEnd && !m_pending)
        seek(0);
    m_playing = true;
    restartClock();
    emit playingChanged(true);
    m_pacer.start(0);
}

void ReplayStream::pause()
{
    m_pacer.stop();
    if (!m_playing)
        return;
    m_playing = false;
    emit playingChanged(false);
}

void ReplayStream::step()
{
    pause();
    if (!m_pipeline)
        return;
    if (m_pending || takeNext(SeekTimeoutNs))
        presentPending();
    else if (m_atEnd)
        emit finished();
}

void ReplayStream::seek(qint64 us)
{
    if (!m_pipeline)
        return;
    if (m_pending)
        gst_sample_unref(m_pending);
    m_pending = nullptr;
    m_atEnd = false;
    // A seek made while the pipeline still prerolls (after the start or the previous seek)
    // would be carried out later, after frames of the old place: each waits for the last.
    gst_element_get_state(m_pipeline, nullptr, nullptr, SeekTimeoutNs);
    gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME,
                            GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                            qMax<qint64>(0, us) * GST_USECOND);
    gst_element_get_state(m_pipeline, nullptr, nullptr, SeekTimeoutNs);
    if (takeNext(SeekTimeoutNs))
        presentPending();
    restartClock();
}

void ReplayStream::setSpeed(double speed)
{
    if (speed <= 0)
        return;
    m_speed = speed;
    restartClock();
    if (m_playing)
        m_pacer.start(0);
}

void ReplayStream::restartClock()
{
    m_clock.restart();
    m_clockBaseUs = qMax<qint64>(0, m_positionUs);
}

void ReplayStream::tick()
{
    if (!m_playing || !m_pipeline)
        return;
    if (!m_pending && !takeNext(0)) {
        if (m_atEnd) {
            pause();
            emit finished();
        } else {
            m_pacer.start(RetryInterval);
        }
        return;
    }
    if (m_positionUs >= 0) {
        const qint64 now = m_clockBaseUs + qint64(double(m_clock.nsecsElapsed()) / 1000 * m_speed);
        const qint64 early = m_pendingUs - now;
        if (early > 1000) {
            m_pacer.start(int(double(early) / 1000 / m_speed));
            return;
        }
    }
    const bool first = m_positionUs < 0;
    presentPending();
    if (first)
        restartClock();
    m_pacer.start(0);
}

bool ReplayStream::takeNext(quint64 timeoutNs)
{
    GstSample *sample = gst_app_sink_try_pull_sample(GST_APP_SINK(m_sink), timeoutNs);
    if (!sample) {
        m_atEnd = gst_app_sink_is_eos(GST_APP_SINK(m_sink));
        return false;
    }
    m_pending = sample;
    const GstBuffer *buffer = gst_sample_get_buffer(sample);
    m_pendingUs = buffer && GST_BUFFER_PTS_IS_VALID(buffer)
            ? qint64(GST_BUFFER_PTS(buffer) / GST_USECOND)
            : m_positionUs + 1;
    return true;
}

void ReplayStream::presentPending()
{
    GstSample *sample = m_pending;
    m_pending = nullptr;
    const QByteArray bytes = liveFrameOf(sample);
    gst_sample_unref(sample);
    QVideoFrame frame(bytes.size(), QSize(RecordingFormat::Width, RecordingFormat::Height),
                      RecordingFormat::Width * 2, QVideoFrame::Format_YUYV);
    if (!bytes.isEmpty() && frame.map(QAbstractVideoBuffer::WriteOnly)) {
        std::memcpy(frame.bits(), bytes.constData(), std::size_t(bytes.size()));
        frame.unmap();
        frame.setStartTime(m_pendingUs);
        m_positionUs = m_pendingUs;
        m_surface->present(frame);
        emit positionChanged(m_positionUs);
    }
    if (m_durationUs < 0) {
        gint64 duration = -1;
        if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0)
            m_durationUs = duration / 1000;
    }
}

void ReplayStream::readBus()
{
    QByteArray debug;
    const std::optional<QString> error = takeGstError(m_pipeline, &debug);
    if (!error)
        return;
    qDebug() << "回放错误:" << *error << debug;
    fail(Failure::Other, *error);
}

void ReplayStream::fail(Failure failure, const QString &detail)
{
    if (m_failure != Failure::None)
        return;
    m_busTimer.stop();
    pause();
    m_failure = failure;
    m_detail = detail;
    emit failed();
}
