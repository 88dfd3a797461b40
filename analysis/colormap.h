#pragma once

#include "analysis/radiometricfile.h"

#include <QImage>

#include <opencv2/core.hpp>

// False colour from the picture's own palette, narrowed by the two handles of the colour
// scale. Handles count from the top of the bar: U (upper) and L (lower), 0-255, U <= L;
// the grey value at the upper handle is A = 255 - U, at the lower one B = 255 - L.
namespace ColorMap {

constexpr int BarWidth = 30;
constexpr int BarHeight = 256;

// Writes the 256 x 1 CV_8UC3 table (channels red, green, blue) into *lut, reallocating it
// when it has another shape: entry i is palette[A] for i > A, palette[B] for i < B and
// palette[i] otherwise. Handles outside 0-255 are clamped.
void fillColorTable(const Radiometric::Palette &palette, int upper, int lower, cv::Mat *lut);

// The same table as a new matrix.
[[nodiscard]] cv::Mat colorTable(const Radiometric::Palette &palette, int upper, int lower);

// The 30 x 256 bar (ARGB32 premultiplied): row 255 - i is palette entry i, opaque, so entry
// 255 is the top row; the bar always shows the whole palette whatever the handles.
[[nodiscard]] QImage colorBar(const Radiometric::Palette &palette);

// Colours a CV_8UC1 grey matrix through the table with cv::applyColorMap: each output pixel
// of *coloured (CV_8UC3, same size) is table entry g, channels copied unchanged.
void colorize(const cv::Mat &grey, const cv::Mat &lut, cv::Mat *coloured);

} // namespace ColorMap
