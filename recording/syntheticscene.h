#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <array>
#include <vector>

// A made-up thermal scene for the demo and the benchmarks: a room-temperature background
// with a warm machine housing and a hot spot whose peak temperature the caller sets, plus
// sensor noise. The imager's coloured live frame is made from it as the imager would:
// an iron palette spread over the frame's own span, packed as YUYV, with the trailer words.
namespace SyntheticScene {

constexpr int Width = 240;
constexpr int Height = 320;

struct Scene
{
    std::vector<float> temperatures; // degrees, pixel (x, y) at y * Width + x
    float peak = 0; // the noiseless maximum, as the imager reports it
};

// The scene at `seconds`, the hot spot at `spotPeak` degrees; `noise` is the standard
// deviation of the sensor noise in degrees, `seed` makes each frame's noise its own.
[[nodiscard]] Scene scene(double seconds, double spotPeak, double noise, unsigned seed);

// The demo's hot spot: about 48 degrees, warming to 66 from 6 s to 12 s, cooling back
// from 16 s to 20 s; with a threshold of 60 the alarm fires once, from about 10 s to 18 s.
[[nodiscard]] double demoPeak(double seconds);

// The iron palette, cold to hot.
[[nodiscard]] const std::array<QRgb, 256> &ironPalette();

// The scene coloured over [low, high] degrees.
[[nodiscard]] QImage colour(const Scene &scene, float low, float high);

// The imager's live frame of the scene: the picture coloured over the scene's own span,
// as YUYV, then the words maximum (the noiseless peak), threshold and emissivity.
[[nodiscard]] QByteArray liveFrame(const Scene &scene, float threshold, float emissivity);

} // namespace SyntheticScene
