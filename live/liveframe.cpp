#include "live/liveframe.h"

#include <array>

namespace LiveFrame {

namespace {

constexpr double RedFactor = 1.370705;
constexpr double GreenFromV = 0.698001;
constexpr double GreenFromU = 0.337633;
constexpr double BlueFactor = 1.732446;

inline uchar clampTruncated(double value)
{
    const int truncated = int(value);
    return uchar(truncated < 0 ? 0 : (truncated > 255 ? 255 : truncated));
}

// R depends only on (V, Y) and B only on (U, Y), so both come from 64 KiB tables filled
// from the formula itself; G needs all three and is computed per pixel.
struct Tables
{
    std::array<uchar, 256 * 256> red;  // [V * 256 + Y]
    std::array<uchar, 256 * 256> blue; // [U * 256 + Y]
    std::array<double, 256> greenV;    // 0.698001 * (V - 128)
    std::array<double, 256> greenU;    // 0.337633 * (U - 128)

    Tables()
    {
        for (int c = 0; c < 256; ++c) {
            const int centred = c - 128;
            greenV[c] = GreenFromV * centred;
            greenU[c] = GreenFromU * centred;
            for (int y = 0; y < 256; ++y) {
                red[c * 256 + y] = clampTruncated(y + RedFactor * centred);
                blue[c * 256 + y] = clampTruncated(y + BlueFactor * centred);
            }
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

inline quint16 wordAt(const uchar *p)
{
    return quint16(p[0] | (p[1] << 8));
}

} // namespace

void yuvPixelToRgb(int y, int u, int v, uchar *rgb)
{
    const int d = v - 128;
    const int e = u - 128;
    rgb[0] = clampTruncated(y + RedFactor * d);
    rgb[1] = clampTruncated((y - GreenFromV * d) - GreenFromU * e);
    rgb[2] = clampTruncated(y + BlueFactor * e);
}

void yuyvToRgb(const uchar *src, uchar *dst)
{
    const Tables &t = tables();
    const uchar *const end = src + PictureBytes;
    for (; src != end; src += 4, dst += 6) {
        const int y0 = src[0];
        const int u = src[1];
        const int y1 = src[2];
        const int v = src[3];
        const uchar *red = t.red.data() + v * 256;
        const uchar *blue = t.blue.data() + u * 256;
        const double gv = t.greenV[v];
        const double gu = t.greenU[u];
        dst[0] = red[y0];
        dst[1] = clampTruncated((y0 - gv) - gu);
        dst[2] = blue[y0];
        dst[3] = red[y1];
        dst[4] = clampTruncated((y1 - gv) - gu);
        dst[5] = blue[y1];
    }
}

Readings readTrailer(const uchar *frame)
{
    const uchar *trailer = frame + PictureBytes;
    return { float(wordAt(trailer)) / 10.0f, float(wordAt(trailer + 2)) / 10.0f,
             float(wordAt(trailer + 4)) / 100.0f };
}

} // namespace LiveFrame
