#include "live/qtcameracapture.h"

#include <QElapsedTimer>

namespace {

// Microseconds on one monotonic clock for the whole program.
qint64 monotonicUs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.nsecsElapsed() / 1000;
}

} // namespace

QtCameraCapture::QtCameraCapture(QObject *parent) : QAbstractVideoSurface(parent) { }

QList<QVideoFrame::PixelFormat>
QtCameraCapture::supportedPixelFormats(QAbstractVideoBuffer::HandleType handleType) const
{
    Q_UNUSED(handleType);
    QList<QVideoFrame::PixelFormat> formats;
    for (int f = QVideoFrame::Format_ARGB32; f <= QVideoFrame::Format_AdobeDng; ++f)
        formats.append(QVideoFrame::PixelFormat(f));
    return formats;
}

bool QtCameraCapture::present(const QVideoFrame &frame)
{
    if (!frame.isValid())
        return false;
    // Dropped before Qt tries to map it; the camera keeps streaming.
    if (!mapsSafely(frame.pixelFormat(), frame.size()))
        return true;
    QVideoFrame mapped(frame);
    if (!mapped.map(QAbstractVideoBuffer::ReadOnly))
        return true;
    const std::size_t size = mapped.bits() ? std::size_t(qMax(0, mapped.mappedBytes())) : 0;
    if (LiveFrame::holdsPicture(size))
        presentBytes(mapped.bits(), size, frame.startTime());
    mapped.unmap();
    return true;
}

bool QtCameraCapture::mapsSafely(QVideoFrame::PixelFormat format, const QSize &size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    switch (format) {
    case QVideoFrame::Format_YUV420P:
    case QVideoFrame::Format_YV12:
    case QVideoFrame::Format_NV12:
    case QVideoFrame::Format_NV21:
    case QVideoFrame::Format_IMC1:
    case QVideoFrame::Format_IMC2:
    case QVideoFrame::Format_IMC3:
    case QVideoFrame::Format_IMC4:
        return size.height() >= 2;
    default:
        return true;
    }
}

void QtCameraCapture::presentBytes(const uchar *data, std::size_t size, qint64 timeUs)
{
    if (m_rawWanted) {
        const std::size_t kept = qMin(size, LiveFrame::FrameBytes);
        emit rawFrame(QByteArray(reinterpret_cast<const char *>(data), int(kept)),
                      timeUs >= 0 ? timeUs : monotonicUs());
    }
    // The picture's 720-byte rows need no padding, so the frame is converted straight into it.
    QImage picture(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
    Q_ASSERT(std::size_t(picture.sizeInBytes()) == LiveFrame::RgbBytes);
    LiveFrame::yuyvToRgb(data, picture.bits());
    emit display_Qimage(picture);
    // Without its readings a frame runs no alarm evaluation: the readouts keep the last.
    if (!LiveFrame::holdsTrailer(size))
        return;
    const LiveFrame::Readings readings = LiveFrame::readTrailer(data);
    emit Send_MaxTemp(readings.maxTemp, readings.threshold, readings.emissivity);
}
