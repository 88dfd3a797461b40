#pragma once

#include "live/liveframe.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstddef>

// How a recording holds the imager's frames: Matroska with one FFV1 video track, each frame
// the imager's own 240 x 321 YUYV frame (the picture, then a row that starts with the three
// trailer words) repacked losslessly to planar 4:2:2, every frame a keyframe. Pictures and
// readings come back bit-exact; the times are the frames' presentation times.
namespace RecordingFormat {

constexpr int Width = LiveFrame::Width;
constexpr int Height = LiveFrame::Height + 1;
constexpr std::size_t FrameBytes = std::size_t(Width) * Height * 2; // 154,080

// The caps of the planar frames going into the encoder and coming out of the decoder.
[[nodiscard]] const char *planarCaps();

// Byte 6 of the extra row tells a frame that came with its readings from one that did not.
constexpr std::size_t ReadingsFlag = LiveFrame::FrameBytes;

// The planar 4:2:2 frame (Y plane Width x Height, then U and V planes Width/2 x Height,
// rows packed without gaps) of a live frame of `size` bytes (at least the picture); the
// trailer words are kept only when the frame holds them.
[[nodiscard]] QByteArray toPlanar(const uchar *frame, std::size_t size);

// The live frame back from planes laid out with the given strides (bytes per row) and
// offsets: FrameBytes bytes when it came with its readings, else LiveFrame::PictureBytes.
[[nodiscard]] QByteArray fromPlanar(const uchar *y, int yStride, const uchar *u, int uStride,
                                    const uchar *v, int vStride);

// The folder beside the alarm history that recordings go into, and a new recording's name
// there for a start at `now` ("2024-03-05 14-30-07.mkv").
[[nodiscard]] QString recordingsFolder(const QString &alarmFolder);
[[nodiscard]] QString recordingName(const QDateTime &now);

// The name of the clip in an alarm folder.
[[nodiscard]] QString clipName();

} // namespace RecordingFormat
