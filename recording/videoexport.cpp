#include "recording/videoexport.h"

#include "live/liveframe.h"
#include "recording/gsterrors.h"
#include "recording/replaystream.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cstring>

namespace VideoExport {

namespace {

constexpr int Scale = 2;
constexpr int OutWidth = LiveFrame::Width * Scale;
constexpr int OutHeight = LiveFrame::Height * Scale;
constexpr int BandHeight = 64;
constexpr GstClockTime Patience = 2 * GST_SECOND;

QString text(const char *source)
{
    return QCoreApplication::translate("VideoExport", source);
}

// The frame at twice its size with a band of its readings and time along the top.
QImage drawnFrame(const QByteArray &frame, const QDateTime &time)
{
    QImage picture(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
    LiveFrame::yuyvToRgb(reinterpret_cast<const uchar *>(frame.constData()), picture.bits());
    QImage out = picture.scaled(OutWidth, OutHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&out);
    painter.fillRect(0, 0, OutWidth, BandHeight, QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    QString readings;
    if (LiveFrame::holdsTrailer(std::size_t(frame.size()))) {
        const LiveFrame::Readings r =
                LiveFrame::readTrailer(reinterpret_cast<const uchar *>(frame.constData()));
        readings = text(QT_TRANSLATE_NOOP("VideoExport", "最大温度 %1   报警阈值 %2"))
                           .arg(QString::number(double(r.maxTemp), 'f', 1),
                                QString::number(double(r.threshold), 'f', 1));
    }
    painter.drawText(QRect(10, 2, OutWidth - 20, BandHeight / 2), Qt::AlignLeft | Qt::AlignVCenter,
                     readings);
    font.setBold(false);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(QRect(10, BandHeight / 2, OutWidth - 20, BandHeight / 2 - 2),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
    painter.end();
    return out;
}

void release(gpointer image)
{
    delete static_cast<QImage *>(image);
}

} // namespace

Outcome exportWebm(const Request &request, const std::function<bool(double)> &progress)
{
    Outcome outcome;
    GstElement *in = recordingDecoder(request.source, &outcome.error);
    if (!in)
        return outcome;
    GError *gerror = nullptr;
    GstElement *out = gst_parse_launch(
            QStringLiteral("appsrc name=frames format=time block=true max-bytes=%1 "
                           "caps=video/x-raw,format=RGB,width=%2,height=%3,framerate=25/1 "
                           "! videoconvert ! vp8enc deadline=1 cpu-used=8 target-bitrate=2000000 "
                           "keyframe-max-dist=50 ! webmmux ! filesink name=file")
                    .arg(8 * OutWidth * OutHeight * 3)
                    .arg(OutWidth)
                    .arg(OutHeight)
                    .toUtf8()
                    .constData(),
            &gerror);
    if (gerror || !out) {
        outcome.error = gerror ? QString::fromUtf8(gerror->message) : QStringLiteral("no pipeline");
        g_clear_error(&gerror);
        if (out)
            gst_object_unref(out);
        gst_object_unref(in);
        return outcome;
    }
    GstElement *file = gst_bin_get_by_name(GST_BIN(out), "file");
    g_object_set(file, "location", QFile::encodeName(request.target).constData(), nullptr);
    gst_object_unref(file);
    GstElement *sink = gst_bin_get_by_name(GST_BIN(in), "frames");
    GstElement *source = gst_bin_get_by_name(GST_BIN(out), "frames");

    // Prerolled first, so the part can be sought before any frame is taken.
    gst_element_set_state(in, GST_STATE_PAUSED);
    gst_element_get_state(in, nullptr, nullptr, 5 * GST_SECOND);
    gint64 duration = -1;
    gst_element_query_duration(in, GST_FORMAT_TIME, &duration);
    const qint64 from = qMax<qint64>(0, request.fromUs);
    const qint64 to = request.toUs >= 0 ? request.toUs : duration / 1000;
    if (from > 0 || request.toUs >= 0)
        gst_element_seek(in, 1.0, GST_FORMAT_TIME,
                         GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                         GST_SEEK_TYPE_SET, from * GST_USECOND,
                         request.toUs >= 0 ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE,
                         GstClockTime(request.toUs + 1) * GST_USECOND);
    gst_element_set_state(in, GST_STATE_PLAYING);
    gst_element_set_state(out, GST_STATE_PLAYING);

    const QDateTime start = QDateTime::fromMSecsSinceEpoch(request.startMs);
    while (outcome.error.isEmpty()) {
        GstSample *sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
        if (!sample)
            break; // the end of the part
        const GstBuffer *buffer = gst_sample_get_buffer(sample);
        const qint64 us = buffer && GST_BUFFER_PTS_IS_VALID(buffer)
                ? qint64(GST_BUFFER_PTS(buffer) / GST_USECOND)
                : from;
        const QByteArray frame = liveFrameOf(sample);
        gst_sample_unref(sample);
        if (us < from || (request.toUs >= 0 && us > request.toUs) || frame.isEmpty())
            continue;
        auto *image = new QImage(drawnFrame(frame, start.addMSecs(us / 1000)));
        GstBuffer *picture = gst_buffer_new_wrapped_full(
                GST_MEMORY_FLAG_READONLY, image->bits(), gsize(image->sizeInBytes()), 0,
                gsize(image->sizeInBytes()), image, release);
        GST_BUFFER_PTS(picture) = GstClockTime(us - from) * GST_USECOND;
        gst_app_src_push_buffer(GST_APP_SRC(source), picture);
        ++outcome.frames;
        outcome.error = takeGstError(in).value_or(QString())
                + takeGstError(out).value_or(QString());
        if (!progress(to > from ? qBound(0.0, double(us - from) / double(to - from), 1.0) : 0)) {
            outcome.cancelled = true;
            break;
        }
    }
    if (outcome.error.isEmpty())
        outcome.error = takeGstError(in).value_or(QString());
    if (!outcome.cancelled && outcome.error.isEmpty()) {
        gst_app_src_end_of_stream(GST_APP_SRC(source));
        GstBus *bus = gst_element_get_bus(out);
        GstMessage *message = nullptr;
        for (qint64 size = -1; !message && QFileInfo(request.target).size() != size;) {
            size = QFileInfo(request.target).size();
            message = gst_bus_timed_pop_filtered(bus, Patience,
                                                 GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        }
        if (message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
            outcome.error = gstErrorText(message);
        if (message)
            gst_message_unref(message);
        gst_object_unref(bus);
    }
    gst_element_set_state(in, GST_STATE_NULL);
    gst_element_set_state(out, GST_STATE_NULL);
    gst_object_unref(sink);
    gst_object_unref(source);
    gst_object_unref(in);
    gst_object_unref(out);
    if (outcome.cancelled || !outcome.error.isEmpty())
        QFile::remove(request.target);
    return outcome;
}

} // namespace VideoExport
