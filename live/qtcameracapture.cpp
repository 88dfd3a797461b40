#include "live/qtcameracapture.h"

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
