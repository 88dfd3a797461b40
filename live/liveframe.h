#pragma once

#include <QtGlobal>

#include <cstddef>

// The imager's live frame: a 240 x 320 YUYV picture, 480 bytes per row and no gaps,
// followed by three unsigned 16-bit little-endian words (maximum temperature and alarm
// threshold in tenths of a degree, emissivity in hundredths).
namespace LiveFrame {

constexpr int Width = 240;
constexpr int Height = 320;
constexpr std::size_t PictureBytes = std::size_t(Width) * Height * 2; // 153,600
constexpr std::size_t FrameBytes = PictureBytes + 6;                  // 153,606
constexpr std::size_t RgbBytes = std::size_t(Width) * Height * 3;     // 230,400

struct Readings
{
    float maxTemp;
    float threshold;
    float emissivity;
};

// Implementations of the picture conversion; all give the same bytes.
enum class Kernel {
    Portable, // plain C++, runs everywhere
    Avx2,     // x86 processors with AVX2
};

// Whether this build and this processor can run the kernel.
[[nodiscard]] bool kernelSupported(Kernel kernel);

// Converts the picture at src (PictureBytes bytes) to packed RGB at dst (RgbBytes bytes),
// with the fastest supported kernel. Bit-exact with, per pixel, d = V - 128, e = U - 128
// and in double precision
//   R = Y + 1.370705 d,  G = (Y - 0.698001 d) - 0.337633 e,  B = Y + 1.732446 e,
// each truncated toward zero and clamped to 0..255.
void yuyvToRgb(const uchar *src, uchar *dst);

// The same with the given kernel, which must be supported.
void yuyvToRgb(const uchar *src, uchar *dst, Kernel kernel);

// The three trailer words of a frame of at least FrameBytes bytes, as decimal values
// computed in single precision (word / 10, word / 10, word / 100).
[[nodiscard]] Readings readTrailer(const uchar *frame);

// Whether data of `bytes` bytes holds the picture, and the three trailer words behind it.
[[nodiscard]] constexpr bool holdsPicture(std::size_t bytes)
{
    return bytes >= PictureBytes;
}
[[nodiscard]] constexpr bool holdsTrailer(std::size_t bytes)
{
    return bytes >= FrameBytes;
}

} // namespace LiveFrame
