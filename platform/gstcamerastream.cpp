#include "platform/gstcamerastream.h"

#include "live/liveframe.h"

#include <QAbstractVideoBuffer>
#include <QAbstractVideoSurface>
#include <QDebug>
#include <QFile>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video-info.h>

#include <cerrno>
#include <unistd.h>

namespace {

constexpr int BusPollInterval = 50;
const char ModeFilterName[] = "vx305mode";
const char SinkName[] = "vx305frames";

// One appsink buffer as a video buffer. Mapped, it is the whole buffer, however much of it
// the caps declare.
class GstFrameBuffer final : public QAbstractVideoBuffer
{
public:
    explicit GstFrameBuffer(GstBuffer *buffer)
        : QAbstractVideoBuffer(NoHandle)
        , m_buffer(gst_buffer_ref(buffer))
    {
    }
    ~GstFrameBuffer() override
    {
        unmap();
        gst_buffer_unref(m_buffer);
    }
    GstFrameBuffer(const GstFrameBuffer &) = delete;
    GstFrameBuffer &operator=(const GstFrameBuffer &) = delete;

    MapMode mapMode() const override { return m_mode; }

    uchar *map(MapMode mode, int *numBytes, int *bytesPerLine) override
    {
        if (m_mode != NotMapped || mode != ReadOnly
            || !gst_buffer_map(m_buffer, &m_info, GST_MAP_READ))
            return nullptr;
        m_mode = mode;
        if (numBytes)
            *numBytes = int(m_info.size);
        if (bytesPerLine)
            *bytesPerLine = LiveFrame::Width * 2;
        return m_info.data;
    }

    void unmap() override
    {
        if (m_mode == NotMapped)
            return;
        gst_buffer_unmap(m_buffer, &m_info);
        m_mode = NotMapped;
    }

private:
    GstBuffer *m_buffer;
    GstMapInfo m_info {};
    MapMode m_mode = NotMapped;
};

QString takeString(gchar *text)
{
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

} // namespace

bool gstreamerReady()
{
    static const bool ready = [] {
        GError *error = nullptr;
        if (gst_init_check(nullptr, nullptr, &error))
            return true;
        qDebug() << "GStreamer 初始化失败" << (error ? error->message : "");
        g_clear_error(&error);
        return false;
    }();
    return ready;
}

struct GstCameraStream::Callbacks
{
    // Runs on the streaming thread, once per buffer; the surface's signals reach the
    // window through queued connections.
    static GstFlowReturn newSample(GstAppSink *sink, gpointer data)
    {
        auto *self = static_cast<GstCameraStream *>(data);
        GstSample *sample = gst_app_sink_pull_sample(sink);
        if (!sample)
            return GST_FLOW_OK;
        QSize size(LiveFrame::Width, LiveFrame::Height);
        GstVideoInfo info;
        GstCaps *caps = gst_sample_get_caps(sample);
        if (caps && gst_video_info_from_caps(&info, caps))
            size = QSize(info.width, info.height);
        if (GstBuffer *buffer = gst_sample_get_buffer(sample)) {
            self->m_surface->present(
                QVideoFrame(new GstFrameBuffer(buffer), size, QVideoFrame::Format_YUYV));
            self->m_streamed = true;
        }
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
};

GstCameraStream::GstCameraStream(
    const QString &source, const QString &device, QAbstractVideoSurface *surface, QObject *parent)
    : CameraStream(parent)
    , m_source(source)
    , m_device(device)
    , m_surface(surface)
{
    connect(&m_busTimer, &QTimer::timeout, this, [this] { readBus(false); });
}

GstCameraStream::~GstCameraStream()
{
    stop();
    if (m_pipeline)
        gst_object_unref(m_pipeline);
}

bool GstCameraStream::build()
{
    if (!gstreamerReady()) {
        fail(Failure::Other, QStringLiteral("GStreamer is not available"));
        return false;
    }
    // One buffer at most waits in the sink: the callback takes each at once, and a camera
    // that outpaces the surface is held back rather than queued without bound.
    const QString description = m_source
        + QStringLiteral(" ! capsfilter name=%1 ! appsink name=%2 sync=false max-buffers=1")
              .arg(QLatin1String(ModeFilterName), QLatin1String(SinkName));
    GError *error = nullptr;
    GstElement *pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (error || !pipeline) {
        fail(Failure::Other,
            error ? QString::fromUtf8(error->message) : QStringLiteral("no pipeline"));
        g_clear_error(&error);
        if (pipeline)
            gst_object_unref(pipeline);
        return false;
    }
    m_pipeline = pipeline;
    GstElement *sink = gst_bin_get_by_name(GST_BIN(m_pipeline), SinkName);
    GstAppSinkCallbacks callbacks {};
    callbacks.new_sample = &Callbacks::newSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
    gst_object_unref(sink);
    return true;
}

void GstCameraStream::start()
{
    if (m_running || hasError() || (!m_pipeline && !build()))
        return;
    m_running = true;
    // A video node opens in READY, so its modes can be asked before any frame flows.
    if (gst_element_set_state(m_pipeline, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE) {
        readBus(true);
        return;
    }
    chooseMode();
    if (!m_surface->isActive())
        m_surface->start(QVideoSurfaceFormat(
            QSize(LiveFrame::Width, LiveFrame::Height), QVideoFrame::Format_YUYV));
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        readBus(true);
        return;
    }
    m_busTimer.start(BusPollInterval);
}

void GstCameraStream::stop()
{
    m_busTimer.stop();
    if (m_pipeline)
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
    m_running = false;
    if (m_surface->isActive())
        m_surface->stop();
}

void GstCameraStream::chooseMode()
{
    GstElement *filter = gst_bin_get_by_name(GST_BIN(m_pipeline), ModeFilterName);
    GstPad *pad = gst_element_get_static_pad(filter, "sink");
    GstCaps *offered = gst_pad_peer_query_caps(pad, nullptr);
    const QString modes = takeString(gst_caps_to_string(offered));
    const QString mode = chooseImagerMode(modes);
    if (mode.isEmpty()) {
        qDebug() << "摄像头没有固定尺寸的 YUYV 模式:" << modes;
    } else {
        qDebug() << "摄像头模式:" << mode;
        GstCaps *caps = gst_caps_from_string(mode.toUtf8().constData());
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
    }
    gst_caps_unref(offered);
    gst_object_unref(pad);
    gst_object_unref(filter);
}

void GstCameraStream::readBus(bool stateChangeFailed)
{
    GstBus *bus = gst_element_get_bus(m_pipeline);
    GstMessage *message
        = gst_bus_pop_filtered(bus, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS));
    gst_object_unref(bus);
    if (!message) {
        if (stateChangeFailed)
            fail(classify(nullptr), QStringLiteral("state change failed"));
        return;
    }
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
        fail(Failure::StreamLost, QStringLiteral("end of stream"));
    } else {
        GError *error = nullptr;
        gchar *debug = nullptr;
        gst_message_parse_error(message, &error, &debug);
        qDebug() << "GStreamer 错误:" << error->message << debug;
        fail(classify(error), QString::fromUtf8(error->message));
        g_error_free(error);
        g_free(debug);
    }
    gst_message_unref(message);
}

CameraStream::Failure GstCameraStream::classify(const GError *error) const
{
    // The node's own rights tell a refused open from the rest, in whatever language
    // GStreamer words its message.
    if (!m_device.isEmpty() && access(QFile::encodeName(m_device).constData(), R_OK | W_OK) != 0) {
        if (errno == EACCES)
            return Failure::PermissionDenied;
        if (errno == ENOENT || errno == ENODEV || errno == ENXIO)
            return Failure::StreamLost;
    }
    if (error && error->domain == GST_RESOURCE_ERROR && error->code == GST_RESOURCE_ERROR_BUSY)
        return Failure::Busy;
    // Once frames have flowed, a failure means the imager stopped sending them.
    return m_streamed ? Failure::StreamLost : Failure::Other;
}

void GstCameraStream::fail(Failure failure, const QString &detail)
{
    if (m_failure != Failure::None)
        return;
    m_busTimer.stop();
    m_failure = failure;
    m_detail = detail;
    emit failed();
}

QString chooseImagerMode(const QString &deviceCaps)
{
    if (!gstreamerReady())
        return {};
    GstCaps *caps = gst_caps_from_string(deviceCaps.toUtf8().constData());
    if (!caps)
        return {};
    int chosen = -1;
    int native = -1;
    int first = -1;
    qint64 chosenBytes = 0;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure *mode = gst_caps_get_structure(caps, i);
        const char *format = gst_structure_get_string(mode, "format");
        int width = 0;
        int height = 0;
        // Ranges and lists fail gst_structure_get_int, leaving only fixed sizes.
        if (!gst_structure_has_name(mode, "video/x-raw") || !format || qstrcmp(format, "YUY2") != 0
            || !gst_structure_get_int(mode, "width", &width)
            || !gst_structure_get_int(mode, "height", &height))
            continue;
        const qint64 bytes = qint64(width) * height * 2;
        // The frame's rows are 480 bytes apart: only a mode 240 wide carries the imager's
        // picture and the readings behind it.
        if (width == LiveFrame::Width && bytes >= qint64(LiveFrame::FrameBytes)
            && (chosen < 0 || bytes < chosenBytes)) {
            chosen = int(i);
            chosenBytes = bytes;
        }
        if (native < 0 && width == LiveFrame::Width && height == LiveFrame::Height)
            native = int(i);
        if (first < 0)
            first = int(i);
    }
    if (chosen < 0)
        chosen = native >= 0 ? native : first;
    QString result;
    if (chosen >= 0) {
        GstCaps *mode = gst_caps_copy_nth(caps, guint(chosen));
        // The highest of the camera's own rates: nothing in between may convert frames.
        gst_structure_fixate_field_nearest_fraction(
            gst_caps_get_structure(mode, 0), "framerate", G_MAXINT, 1);
        mode = gst_caps_fixate(mode);
        result = takeString(gst_caps_to_string(mode));
        gst_caps_unref(mode);
    }
    gst_caps_unref(caps);
    return result;
}
