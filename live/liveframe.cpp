#include "live/liveframe.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define LIVEFRAME_AVX2 1
#include <immintrin.h>
#endif

namespace LiveFrame {

namespace {

// Truncating and then clamping to 0..255 is the same as clamping the floor. The exact
// values are multiples of 1e-6 and whole numbers only at d = e = 0, where the doubles are
// exact too; elsewhere the doubles' rounding error (about 1e-13) cannot cross an integer.
// So every channel is Y plus an integer offset that depends on U and V alone:
//   floor(1.370705 d), floor(-0.698001 d - 0.337633 e), floor(1.732446 e).
// The fixed-point forms below (found by search) give exactly those floors for d and e in
// -128..127, the shifts being arithmetic; the exhaustive test holds every kernel to the
// double formula over all 2^24 inputs.
constexpr int RedFactor = 11229; // floor(1.370705 d) = (11229 d) >> 13
constexpr int RedShift = 13;
constexpr int BlueFactor = 887; // floor(1.732446 e) = (887 e) >> 9
constexpr int BlueShift = 9;
constexpr int GreenFromV = -731907; // floor(-0.698001 d - 0.337633 e)
constexpr int GreenFromU = -354034; //   = (-731907 d - 354034 e) >> 20
constexpr int GreenShift = 20;

struct Offsets
{
    int red;
    int green;
    int blue;
};

inline Offsets offsets(int u, int v)
{
    const int d = v - 128;
    const int e = u - 128;
    return { (RedFactor * d) >> RedShift, (GreenFromV * d + GreenFromU * e) >> GreenShift,
             (BlueFactor * e) >> BlueShift };
}

// Y plus an offset lies in -222..475; a table clamps faster than compares.
struct ClampTable
{
    static constexpr int Low = -256;
    uchar bytes[768] {};

    constexpr ClampTable()
    {
        for (int i = 0; i < 768; ++i)
            bytes[i] = uchar(i + Low < 0 ? 0 : (i + Low > 255 ? 255 : i + Low));
    }
    uchar operator()(int value) const { return bytes[value - Low]; }
};
constexpr ClampTable clampByte;

inline void storePixel(int y, const Offsets &k, uchar *rgb)
{
    rgb[0] = clampByte(y + k.red);
    rgb[1] = clampByte(y + k.green);
    rgb[2] = clampByte(y + k.blue);
}

void convertPortable(const uchar *src, uchar *dst)
{
    for (const uchar *const end = src + PictureBytes; src != end; src += 4, dst += 6) {
        const Offsets k = offsets(src[1], src[3]);
        storePixel(src[0], k, dst);
        storePixel(src[2], k, dst + 3);
    }
}

#ifdef LIVEFRAME_AVX2

static_assert(PictureBytes % 32 == 0, "the AVX2 kernel takes eight groups at a time");

// A 32-bit lane for madd: low word times a (e), high word times b (d).
constexpr int wordPair(int low, int high)
{
    return int((unsigned(high) << 16) | (unsigned(low) & 0xFFFFu));
}

// Green's factors exceed 16 bits, so madd takes them in two parts: f = 1024 high + low.
constexpr int highPart(int factor)
{
    return factor >= 0 ? factor / 1024 : -((-factor + 1023) / 1024);
}
constexpr int lowPart(int factor)
{
    return factor - 1024 * highPart(factor);
}
static_assert(lowPart(GreenFromV) >= 0 && lowPart(GreenFromV) < 1024 && lowPart(GreenFromU) >= 0
                      && lowPart(GreenFromU) < 1024,
              "green split");

__attribute__((target("avx2"))) void convertAvx2(const uchar *src, uchar *dst)
{
    // Eight four-byte groups per step; as 16-bit words a group is (Y0 | U << 8, Y1 | V << 8).
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i centre = _mm256_set1_epi16(128);
    const __m256i red = _mm256_set1_epi32(wordPair(0, RedFactor));
    const __m256i blue = _mm256_set1_epi32(wordPair(BlueFactor, 0));
    const __m256i greenHigh
            = _mm256_set1_epi32(wordPair(highPart(GreenFromU), highPart(GreenFromV)));
    const __m256i greenLow = _mm256_set1_epi32(wordPair(lowPart(GreenFromU), lowPart(GreenFromV)));
    // A group's offset, in the low word of its 32-bit lane, copied to both of its pixels.
    const __m256i bothPixels = _mm256_setr_epi8(0, 1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9, 12, 13, 12,
                                                13, 0, 1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9, 12, 13,
                                                12, 13);
    // Per 128-bit half, rg holds R of pixels 0-7 then G of pixels 0-7, bb holds B of pixels
    // 0-7; these pick the half's 24 output bytes R G B R G B ... as 16 + 8.
    const __m256i headFromRg = _mm256_setr_epi8(0, 8, -1, 1, 9, -1, 2, 10, -1, 3, 11, -1, 4, 12,
                                                -1, 5, 0, 8, -1, 1, 9, -1, 2, 10, -1, 3, 11, -1,
                                                4, 12, -1, 5);
    const __m256i headFromB = _mm256_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1,
                                               -1, 4, -1, -1, -1, 0, -1, -1, 1, -1, -1, 2, -1,
                                               -1, 3, -1, -1, 4, -1);
    const __m256i tailFromRg = _mm256_setr_epi8(13, -1, 6, 14, -1, 7, 15, -1, -1, -1, -1, -1, -1,
                                                -1, -1, -1, 13, -1, 6, 14, -1, 7, 15, -1, -1, -1,
                                                -1, -1, -1, -1, -1, -1);
    const __m256i tailFromB = _mm256_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, -1, -1, -1,
                                               -1, -1, -1, -1, 5, -1, -1, 6, -1, -1, 7, -1, -1,
                                               -1, -1, -1, -1, -1, -1);

    for (const uchar *const end = src + PictureBytes; src != end; src += 32, dst += 48) {
        const __m256i groups = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(src));
        const __m256i y = _mm256_and_si256(groups, lowBytes);
        const __m256i ed = _mm256_sub_epi16(_mm256_srli_epi16(groups, 8), centre);
        const __m256i kr = _mm256_srai_epi32(_mm256_madd_epi16(ed, red), RedShift);
        const __m256i kb = _mm256_srai_epi32(_mm256_madd_epi16(ed, blue), BlueShift);
        const __m256i kg = _mm256_srai_epi32(
                _mm256_add_epi32(_mm256_slli_epi32(_mm256_madd_epi16(ed, greenHigh), 10),
                                 _mm256_madd_epi16(ed, greenLow)),
                GreenShift);
        const __m256i r = _mm256_add_epi16(y, _mm256_shuffle_epi8(kr, bothPixels));
        const __m256i g = _mm256_add_epi16(y, _mm256_shuffle_epi8(kg, bothPixels));
        const __m256i b = _mm256_add_epi16(y, _mm256_shuffle_epi8(kb, bothPixels));
        // Unsigned saturation is the clamp to 0..255.
        const __m256i rg = _mm256_packus_epi16(r, g);
        const __m256i bb = _mm256_packus_epi16(b, b);
        const __m256i head = _mm256_or_si256(_mm256_shuffle_epi8(rg, headFromRg),
                                             _mm256_shuffle_epi8(bb, headFromB));
        const __m256i tail = _mm256_or_si256(_mm256_shuffle_epi8(rg, tailFromRg),
                                             _mm256_shuffle_epi8(bb, tailFromB));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), _mm256_castsi256_si128(head));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(dst + 16), _mm256_castsi256_si128(tail));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + 24), _mm256_extracti128_si256(head, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(dst + 40), _mm256_extracti128_si256(tail, 1));
    }
}

#endif

Kernel fastestKernel()
{
    return kernelSupported(Kernel::Avx2) ? Kernel::Avx2 : Kernel::Portable;
}

inline quint16 wordAt(const uchar *p)
{
    return quint16(p[0] | (p[1] << 8));
}

} // namespace

bool kernelSupported(Kernel kernel)
{
    switch (kernel) {
    case Kernel::Portable:
        return true;
    case Kernel::Avx2:
#ifdef LIVEFRAME_AVX2
        return __builtin_cpu_supports("avx2");
#else
        return false;
#endif
    }
    return false;
}

void yuyvToRgb(const uchar *src, uchar *dst)
{
    static const Kernel fastest = fastestKernel();
    yuyvToRgb(src, dst, fastest);
}

void yuyvToRgb(const uchar *src, uchar *dst, Kernel kernel)
{
    Q_ASSERT(kernelSupported(kernel));
#ifdef LIVEFRAME_AVX2
    if (kernel == Kernel::Avx2) {
        convertAvx2(src, dst);
        return;
    }
#endif
    convertPortable(src, dst);
}

Readings readTrailer(const uchar *frame)
{
    const uchar *trailer = frame + PictureBytes;
    return { float(wordAt(trailer)) / 10.0f, float(wordAt(trailer + 2)) / 10.0f,
             float(wordAt(trailer + 4)) / 100.0f };
}

} // namespace LiveFrame
