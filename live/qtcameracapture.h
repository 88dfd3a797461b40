#pragma once

#include "live/liveframe.h"

#include <QAbstractVideoSurface>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QVideoFrame>

#include <atomic>

// Video surface installed as the imager camera's viewfinder: every frame is read as the
// imager's live frame whatever format the camera stack declares.
class QtCameraCapture : public QAbstractVideoSurface
{
    Q_OBJECT

public:
    enum PixelFormat {
        Format_Invalid,
        Format_ARGB32,
        Format_ARGB32_Premultiplied,
        Format_RGB32,
        Format_RGB24,
        Format_RGB565,
        Format_RGB555,
        Format_ARGB8565_Premultiplied,
        Format_BGRA32,
        Format_BGRA32_Premultiplied,
        Format_BGR32,
        Format_BGR24,
        Format_BGR565,
        Format_BGR555,
        Format_BGRA5658_Premultiplied,
        Format_AYUV444,
        Format_AYUV444_Premultiplied,
        Format_YUV444,
        Format_YUV420P,
        Format_YV12,
        Format_UYVY,
        Format_YUYV,
        Format_NV12,
        Format_NV21,
        Format_IMC1,
        Format_IMC2,
        Format_IMC3,
        Format_IMC4,
        Format_Y8,
        Format_Y16,
        Format_Jpeg,
        Format_CameraRaw,
        Format_AdobeDng,
        NPixelFormats,
        Format_User = 1000
    };
    Q_ENUM(PixelFormat)

    explicit QtCameraCapture(QObject *parent = nullptr);

    QList<QVideoFrame::PixelFormat>
    supportedPixelFormats(QAbstractVideoBuffer::HandleType handleType) const override;

    // Returns false only for an invalid frame. A frame whose mapped data holds the picture
    // gives the picture; its readings follow only when the trailer words lie inside the
    // mapped data too. A frame that cannot be mapped or is shorter than the picture is
    // dropped without a signal but still returns true, so the camera keeps streaming.
    bool present(const QVideoFrame &frame) override;

    // Converts the frame at `data` (`size` bytes, at least the picture) and emits the
    // picture, then the readings when the trailer is there. Never reads past `size`.
    // `timeUs` is the frame's time (microseconds, monotonic); -1 takes the time of arrival.
    void presentBytes(const uchar *data, std::size_t size = LiveFrame::FrameBytes,
                      qint64 timeUs = -1);

    // Whether Qt 5.15 can map a frame of this format and size: its planar formats divide by
    // half the height, so a frame less than two rows high (or of no size) crashes map().
    [[nodiscard]] static bool mapsSafely(QVideoFrame::PixelFormat format, const QSize &size);

    // While set (from any thread), every frame is also emitted whole by rawFrame(), before
    // its picture; recordings and the pre-alarm buffer take them there.
    void setRawFramesWanted(bool wanted) { m_rawWanted = wanted; }
    [[nodiscard]] bool rawFramesWanted() const { return m_rawWanted; }

signals:
    // The frame's bytes as it came (the picture and as much of the trailer as it held) and
    // its time: a recording's own time in a replay, else the time of arrival.
    void rawFrame(QByteArray frame, qint64 timeUs);
    void display_Qimage(QImage pho);
    void Send_MaxTemp(float maxTem, float warn, float fsl);

private:
    std::atomic<bool> m_rawWanted {false};
};
