#include "live/qtcameracapture.h"

#include <cstring>

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
    QVideoFrame mapped(frame);
    if (!mapped.map(QAbstractVideoBuffer::ReadOnly))
        return true;
    const std::size_t size = mapped.bits() ? std::size_t(qMax(0, mapped.mappedBytes())) : 0;
    if (LiveFrame::holdsPicture(size))
        presentBytes(mapped.bits(), size);
    mapped.unmap();
    return true;
}

void QtCameraCapture::presentBytes(const uchar *data, std::size_t size)
{
    LiveFrame::yuyvToRgb(data, m_rgb.data());
    QImage picture(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
    for (int y = 0; y < LiveFrame::Height; ++y)
        std::memcpy(picture.scanLine(y), m_rgb.data() + std::size_t(y) * LiveFrame::Width * 3,
                    LiveFrame::Width * 3);
    emit display_Qimage(picture);
    // Without its readings a frame runs no alarm evaluation: the readouts keep the last.
    if (!LiveFrame::holdsTrailer(size))
        return;
    const LiveFrame::Readings readings = LiveFrame::readTrailer(data);
    emit Send_MaxTemp(readings.maxTemp, readings.threshold, readings.emissivity);
}
