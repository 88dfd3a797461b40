#include "recording/syntheticscene.h"

#include "live/liveframe.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace SyntheticScene {

namespace {

double gauss(double x, double y, double cx, double cy, double radius)
{
    return std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (2 * radius * radius));
}

uchar byteOf(double v)
{
    return uchar(std::clamp(int(std::lround(v)), 0, 255));
}

} // namespace

Scene scene(double seconds, double spotPeak, double noise, unsigned seed)
{
    Scene s;
    s.temperatures.resize(std::size_t(Width) * Height);
    std::mt19937 random(seed);
    std::normal_distribution<float> sensor(0.0f, float(noise));
    // The spot drifts a little, as a hand-held imager does.
    const double cx = 150 + 4 * std::sin(seconds * 0.7);
    const double cy = 120 + 3 * std::cos(seconds * 0.5);
    float peak = -1000;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            double t = 22 + 3.0 * y / Height + 0.8 * std::sin(x / 23.0);
            // The machine housing: a warm block with soft edges.
            const double inside = std::clamp(std::min({x - 40.0, 210.0 - x, y - 70.0, 280.0 - y}) / 6.0,
                                             0.0, 1.0);
            t += 14 * inside;
            const double spot = gauss(x, y, cx, cy, 9);
            t = t * (1 - spot) + spotPeak * spot;
            t += 4 * gauss(x, y, 80, 230, 20); // a warm pipe joint
            peak = std::max(peak, float(t));
            s.temperatures[std::size_t(y) * Width + std::size_t(x)] = float(t) + sensor(random);
        }
    }
    s.peak = peak;
    return s;
}

double demoPeak(double seconds)
{
    const double cool = 48;
    const double hot = 66;
    if (seconds < 6)
        return cool;
    if (seconds < 12)
        return cool + (hot - cool) * (seconds - 6) / 6;
    if (seconds < 16)
        return hot;
    if (seconds < 20)
        return hot - (hot - cool) * (seconds - 16) / 4;
    return cool;
}

const std::array<QRgb, 256> &ironPalette()
{
    static const std::array<QRgb, 256> palette = [] {
        // Black, violet, red, orange, yellow, white.
        const double stops[][4] = {{0, 0, 0, 0},       {0.25, 90, 0, 140},  {0.5, 200, 30, 60},
                                   {0.7, 240, 110, 0}, {0.88, 255, 210, 20}, {1, 255, 255, 230}};
        std::array<QRgb, 256> p {};
        for (int k = 0; k < 256; ++k) {
            const double t = k / 255.0;
            int i = 0;
            while (stops[i + 1][0] < t)
                ++i;
            const double f = (t - stops[i][0]) / (stops[i + 1][0] - stops[i][0]);
            const auto mix = [&](int c) { return int(stops[i][c] + f * (stops[i + 1][c] - stops[i][c])); };
            p[std::size_t(k)] = qRgb(mix(1), mix(2), mix(3));
        }
        return p;
    }();
    return palette;
}

QImage colour(const Scene &scene, float low, float high)
{
    QImage picture(Width, Height, QImage::Format_RGB888);
    const std::array<QRgb, 256> &palette = ironPalette();
    const float scale = high > low ? 255.0f / (high - low) : 0.0f;
    for (int y = 0; y < Height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            const float t = scene.temperatures[std::size_t(y) * Width + std::size_t(x)];
            const QRgb c = palette[std::size_t(std::clamp(int((t - low) * scale), 0, 255))];
            row[3 * x] = uchar(qRed(c));
            row[3 * x + 1] = uchar(qGreen(c));
            row[3 * x + 2] = uchar(qBlue(c));
        }
    }
    return picture;
}

QByteArray liveFrame(const Scene &scene, float threshold, float emissivity)
{
    const auto [low, high] = std::minmax_element(scene.temperatures.begin(), scene.temperatures.end());
    const QImage picture = colour(scene, *low, *high);
    QByteArray frame(int(LiveFrame::FrameBytes), Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(frame.data());
    for (int y = 0; y < Height; ++y) {
        const uchar *rgb = picture.constScanLine(y);
        for (int x = 0; x < Width; x += 2, rgb += 6, out += 4) {
            double luma[2];
            double u = 0;
            double v = 0;
            for (int p = 0; p < 2; ++p) {
                const double r = rgb[3 * p];
                const double g = rgb[3 * p + 1];
                const double b = rgb[3 * p + 2];
                luma[p] = 0.299 * r + 0.587 * g + 0.114 * b;
                u += (b - luma[p]) / 1.732446 / 2;
                v += (r - luma[p]) / 1.370705 / 2;
            }
            out[0] = byteOf(luma[0]);
            out[1] = byteOf(u + 128);
            out[2] = byteOf(luma[1]);
            out[3] = byteOf(v + 128);
        }
    }
    const int words[3] = {int(std::lround(scene.peak * 10)), int(std::lround(threshold * 10)),
                          int(std::lround(emissivity * 100))};
    for (int w = 0; w < 3; ++w) {
        out[2 * w] = uchar(words[w] & 0xFF);
        out[2 * w + 1] = uchar((words[w] >> 8) & 0xFF);
    }
    return frame;
}

} // namespace SyntheticScene
