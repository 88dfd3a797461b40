#include "recording/recordingformat.h"

#include <cstring>

namespace RecordingFormat {

const char *planarCaps()
{
    return "video/x-raw,format=Y42B,width=240,height=321,framerate=0/1";
}

QByteArray toPlanar(const uchar *frame, std::size_t size)
{
    // The imager's 240 x 321 frame: the picture, then a row holding the trailer, a flag and
    // zeros.
    const bool readings = LiveFrame::holdsTrailer(size);
    uchar extraRow[Width * 2] = {};
    if (readings)
        std::memcpy(extraRow, frame + LiveFrame::PictureBytes, 6);
    extraRow[ReadingsFlag - LiveFrame::PictureBytes] = readings ? 1 : 0;

    QByteArray planar(int(FrameBytes), Qt::Uninitialized);
    auto *y = reinterpret_cast<uchar *>(planar.data());
    uchar *u = y + Width * Height;
    uchar *v = u + Width / 2 * Height;
    const auto split = [&](const uchar *from, std::size_t bytes) {
        for (const uchar *end = from + bytes; from != end; from += 4) {
            *y++ = from[0];
            *u++ = from[1];
            *y++ = from[2];
            *v++ = from[3];
        }
    };
    split(frame, LiveFrame::PictureBytes);
    split(extraRow, sizeof extraRow);
    return planar;
}

QByteArray fromPlanar(const uchar *y, int yStride, const uchar *u, int uStride, const uchar *v,
                      int vStride)
{
    QByteArray packed(int(FrameBytes), Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(packed.data());
    for (int row = 0; row < Height; ++row) {
        const uchar *yr = y + row * yStride;
        const uchar *ur = u + row * uStride;
        const uchar *vr = v + row * vStride;
        for (int x = 0; x < Width / 2; ++x) {
            *out++ = yr[2 * x];
            *out++ = ur[x];
            *out++ = yr[2 * x + 1];
            *out++ = vr[x];
        }
    }
    const bool readings = packed.at(int(ReadingsFlag)) == 1;
    packed.truncate(int(readings ? LiveFrame::FrameBytes : LiveFrame::PictureBytes));
    return packed;
}

QString recordingsFolder(const QString &alarmFolder)
{
    return alarmFolder + QStringLiteral("/Recordings");
}

QString recordingName(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) + QStringLiteral(".mkv");
}

QString clipName()
{
    return QStringLiteral("Clip.mkv");
}

} // namespace RecordingFormat
