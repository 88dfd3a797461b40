#include "recording/recorder.h"

#include "platform/gstcamerastream.h"
#include "recording/gsterrors.h"
#include "recording/recordingformat.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int BusPollInterval = 200;
constexpr qint64 NominalFrameUs = 40000; // 25 frames a second
constexpr qint64 ClusterNs = 1000000000; // a second
constexpr GstClockTime FinishPatience = 2 * GST_SECOND;

QString pipelineDescription(int fd, int queuedSeconds, Recorder::Coder coder)
{
    return QStringLiteral("appsrc name=frames format=time is-live=true do-timestamp=false "
                          "%5 max-bytes=%1 caps=%2 "
                          "! avenc_ffv1 gop-size=1 coder=%6 context=0 "
                          "! matroskamux name=mux min-cluster-duration=%3 max-cluster-duration=%3 "
                          "! fdsink fd=%4 sync=false")
            .arg(quint64(qMax(1, queuedSeconds)) * 25 * RecordingFormat::FrameBytes)
            .arg(QLatin1String(RecordingFormat::planarCaps()))
            .arg(ClusterNs)
            .arg(fd)
            .arg(QLatin1String(queuedSeconds > 0 ? "leaky-type=upstream" : "block=true"))
            .arg(QLatin1String(coder == Recorder::Coder::Rice ? "rice" : "range_tab"));
}

void releaseBytes(gpointer bytes)
{
    delete static_cast<QByteArray *>(bytes);
}

} // namespace

Recorder::Recorder(QObject *parent, int queuedSeconds)
    : QObject(parent), m_queuedSeconds(queuedSeconds)
{
    connect(&m_busTimer, &QTimer::timeout, this, &Recorder::readBus);
}

Recorder::~Recorder()
{
    finish();
}

bool Recorder::start(const QString &path, const QDateTime &start)
{
    if (isRecording())
        return false;
    m_error.clear();
    m_path = path;
    m_frames = 0;
    if (!gstreamerReady()) {
        m_error = QStringLiteral("GStreamer is not available");
        return false;
    }
    // A file size limit must fail the write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                  0644);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    GError *error = nullptr;
    GstElement *pipeline =
            gst_parse_launch(pipelineDescription(m_fd, m_queuedSeconds, m_coder).toUtf8().constData(), &error);
    if (error || !pipeline) {
        m_error = error ? QString::fromUtf8(error->message) : QStringLiteral("no pipeline");
        g_clear_error(&error);
        if (pipeline)
            gst_object_unref(pipeline);
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    GstElement *mux = gst_bin_get_by_name(GST_BIN(pipeline), "mux");
    GDateTime *utc = g_date_time_new_from_unix_utc(start.toMSecsSinceEpoch() / 1000);
    GDateTime *created = g_date_time_add(utc, (start.toMSecsSinceEpoch() % 1000) * 1000);
    g_object_set(mux, "creation-time", created, nullptr);
    g_date_time_unref(created);
    g_date_time_unref(utc);
    gst_object_unref(mux);
    m_source = gst_bin_get_by_name(GST_BIN(pipeline), "frames");
    m_pipeline = pipeline;
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        m_error = QStringLiteral("the recording pipeline could not start");
        stopPipeline();
        return false;
    }
    m_syncStop = false;
    m_syncer = std::thread(&Recorder::syncLoop, this);
    m_busTimer.start(BusPollInterval);
    return true;
}

void Recorder::push(const QByteArray &frame, qint64 timeUs)
{
    if (!isRecording() || !LiveFrame::holdsPicture(std::size_t(frame.size())))
        return;
    // A frame lasts as long as the gap before it (the first 40 ms), so the file's duration
    // reaches past its last frame; at that frame's own time a seek would end before it.
    qint64 lastsUs = NominalFrameUs;
    if (m_frames == 0)
        m_firstUs = timeUs;
    else if (timeUs <= m_lastUs)
        timeUs = m_lastUs + 1; // times must grow in the file
    else
        lastsUs = timeUs - m_lastUs;
    m_lastUs = timeUs;
    ++m_frames;
    auto *planar = new QByteArray(RecordingFormat::toPlanar(
            reinterpret_cast<const uchar *>(frame.constData()), std::size_t(frame.size())));
    GstBuffer *buffer = gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, planar->data(),
                                                    gsize(planar->size()), 0,
                                                    gsize(planar->size()), planar, releaseBytes);
    // Matroska keeps milliseconds; rounded here so the file's times are known exactly.
    GST_BUFFER_PTS(buffer) = GstClockTime((timeUs - m_firstUs + 500) / 1000) * GST_MSECOND;
    GST_BUFFER_DURATION(buffer) = GstClockTime(qMax<qint64>(1, (lastsUs + 500) / 1000)) * GST_MSECOND;
    gst_app_src_push_buffer(GST_APP_SRC(m_source), buffer);
}

void Recorder::finish()
{
    if (!isRecording())
        return;
    m_busTimer.stop();
    gst_app_src_end_of_stream(GST_APP_SRC(m_source));
    GstBus *bus = gst_element_get_bus(m_pipeline);
    // Waits as long as the file still grows, so frames queued for the encoder are written,
    // but no longer than that.
    GstMessage *message = nullptr;
    for (qint64 size = -1; !message && fileBytes() != size;) {
        size = fileBytes();
        message = gst_bus_timed_pop_filtered(bus, FinishPatience,
                                             GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    }
    if (message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        m_error = gstErrorText(message);
    if (message)
        gst_message_unref(message);
    gst_object_unref(bus);
    stopPipeline();
}

qint64 Recorder::fileBytes() const
{
    struct stat info {};
    if (m_fd >= 0 && fstat(m_fd, &info) == 0)
        return qint64(info.st_size);
    return QFileInfo(m_path).size();
}

void Recorder::readBus()
{
    QByteArray debug;
    const std::optional<QString> error = takeGstError(m_pipeline, &debug);
    if (!error)
        return;
    qDebug() << "录像写入失败:" << *error << debug;
    m_error = *error;
    m_busTimer.stop();
    stopPipeline();
    emit failed();
}

void Recorder::stopPipeline()
{
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    gst_object_unref(m_source);
    gst_object_unref(m_pipeline);
    m_source = nullptr;
    m_pipeline = nullptr;
    if (m_syncer.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_syncMutex);
            m_syncStop = true;
        }
        m_syncWake.notify_all();
        m_syncer.join();
    }
    if (m_fd >= 0) {
        fdatasync(m_fd);
        ::close(m_fd);
        m_fd = -1;
    }
}

void Recorder::syncLoop()
{
    std::unique_lock<std::mutex> lock(m_syncMutex);
    while (!m_syncWake.wait_for(lock, std::chrono::seconds(1), [this] { return m_syncStop; }))
        fdatasync(m_fd);
}
