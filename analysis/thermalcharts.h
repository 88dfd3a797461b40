#pragma once

#include "overlay/toolmodel.h"

#include <QByteArray>
#include <QColor>
#include <QPoint>

#include <opencv2/core.hpp>

#include <vector>

// What the chart panel of the analysis window computes, free of any widget: the profile of a
// line, histograms, the isotherm band and the colouring of a locked scale. Temperatures are
// taken as the tables show them: a map value (degrees of the file's unit, map index
// x * 320 + y) becomes 10 * value / div + add in the unit shown, with one decimal. They are
// handled here as whole tenths of that unit, so bins and limits compare exactly what the user
// reads.
namespace ThermalCharts {

// A map value in whole tenths of the unit shown: the single-precision 10 * degrees / div + add,
// times ten, rounded half away from zero.
[[nodiscard]] int shownTenths(float degrees, float div, float add);

// The shown tenths of every map pixel, map order (x * 320 + y).
[[nodiscard]] std::vector<int> shownMap(const std::vector<float> &map, float div, float add);

// A temperature in degrees Celsius in the unit of the unit box (index 0 degrees Celsius,
// index 1 degrees Fahrenheit, F = 1.8 C + 32), and back.
[[nodiscard]] double toUnit(double celsius, int unitIndex);
[[nodiscard]] double fromUnit(double value, int unitIndex);

struct ProfilePoint
{
    double distance = 0.0; // along the line from its start, in pixels
    int x = 0;
    int y = 0;
    int tenths = 0; // shown tenths
};

// The covering pixels of a placed line (those its measurement takes), ordered by their distance
// from the line's start (x1, y1) measured along the line: the projection of (x - x1, y - y1) on
// its direction, 0 for a line whose ends coincide. Pixels at the same distance keep row order.
// Empty for a pending line.
[[nodiscard]] std::vector<ProfilePoint> lineProfile(
    const std::vector<int> &shown, const LineTool &line);

// The profile as CSV: the line "distance,x,y,temperature", then one line per point with the
// distance to two decimals and the temperature to one, "." as separator, "\n" line ends.
[[nodiscard]] QByteArray profileCsv(const std::vector<ProfilePoint> &profile);

// At most this many bins; a wider bin is taken when the span would need more.
constexpr int MaxBins = 200;

// Bin width in tenths for values from low to high (tenths): 5 (half a degree), or the first
// of 10, 20, 50, 100, 200, 500, 1000, ... with which the bins aligned on multiples of the
// width that hold low and high number at most MaxBins.
[[nodiscard]] int binWidthTenths(int low, int high);

struct Histogram
{
    int firstTenths = 0; // lower edge of bin 0, a multiple of the width
    int widthTenths = 5;
    // Bin k counts the values v with first + k * width <= v < first + (k + 1) * width.
    std::vector<int> counts;

    [[nodiscard]] int total() const;
};

// The histogram of shown tenths, bins as binWidthTenths chooses them. No bins for no values.
[[nodiscard]] Histogram histogram(const std::vector<int> &tenths);

// The shown tenths of the map pixels at the given picture positions.
[[nodiscard]] std::vector<int> valuesAt(
    const std::vector<int> &shown, const std::vector<QPoint> &pixels);

enum IsothermMode : int {
    IsothermOff = 0,
    IsothermAbove = 1,
    IsothermBelow = 2,
    IsothermBetween = 3
};

// The band in shown tenths: above, at or over low; below, at or under high; between, from low
// to high inclusive (empty when low > high); nothing when off.
struct Isotherm
{
    int mode = IsothermOff;
    int low = 0;
    int high = 0;

    [[nodiscard]] bool contains(int tenths) const;
};

// One byte per picture pixel in row order (pixel (x, y) at y * 240 + x): 1 in the band, else 0.
[[nodiscard]] std::vector<quint8> isothermMask(const std::vector<int> &shown, const Isotherm &band);

// Paints the pixels of the mask in colour over a 320 x 240 CV_8UC3 picture (red, green, blue).
void paintMask(const std::vector<quint8> &mask, const QColor &color, cv::Mat *rgb);

// The palette index of each pixel with the scale locked from low to high (shown tenths), in
// row order as a 320 x 240 grey plane: trunc((t - low) * 255 / (high - low) + 0.5), so low
// takes the palette's first entry and high its last; values outside take the end entries.
// With high <= low, values under low take entry 0 and the others entry 255.
[[nodiscard]] QByteArray lockedGrey(const std::vector<int> &shown, int low, int high);

} // namespace ThermalCharts
