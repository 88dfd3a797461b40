// Feeds arbitrary frames to the live video surface: byte 0 picks the declared pixel format
// and bytes 1-2 the declared width and height, the rest is the frame's data. A frame of any
// size and format must be converted or dropped without reading past its bytes. Frames Qt
// itself cannot map are built but not filled: the surface must drop them unmapped.
#include "live/liveframe.h"
#include "live/qtcameracapture.h"

#include <QVideoFrame>

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3 || size > LiveFrame::FrameBytes * 2)
        return 0;
    const auto format = QVideoFrame::PixelFormat(data[0] % QVideoFrame::NPixelFormats);
    const QSize declared(1 + data[1], 1 + data[2]);
    const int bytes = int(size - 3);

    QVideoFrame frame(bytes, declared, declared.width() * 2, format);
    const bool mappable = QtCameraCapture::mapsSafely(format, declared);
    if (mappable && frame.map(QAbstractVideoBuffer::WriteOnly)) {
        std::memcpy(frame.bits(), data + 3, std::size_t(bytes));
        frame.unmap();
    }
    static QtCameraCapture surface;
    int pictures = 0;
    int readings = 0;
    const auto shown = QObject::connect(&surface, &QtCameraCapture::display_Qimage,
                                        [&pictures](const QImage &) { ++pictures; });
    const auto read = QObject::connect(&surface, &QtCameraCapture::Send_MaxTemp,
                                       [&readings](float, float, float) { ++readings; });
    surface.present(frame);
    QObject::disconnect(shown);
    QObject::disconnect(read);
    // A picture needs the whole picture, readings the whole trailer too.
    if ((pictures > 0 && std::size_t(bytes) < LiveFrame::PictureBytes)
        || (readings > 0 && std::size_t(bytes) < LiveFrame::FrameBytes) || readings > pictures
        || (pictures > 0 && !mappable))
        __builtin_trap();
    return 0;
}
