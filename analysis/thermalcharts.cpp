#include "analysis/thermalcharts.h"

#include "analysis/radiometricfile.h"

#include <algorithm>
#include <cmath>

namespace ThermalCharts {

namespace {

constexpr int Width = Radiometric::Width;
constexpr int Height = Radiometric::Height;

// Floor division, also for negative temperatures.
int floorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

int binsFor(int low, int high, int width)
{
    return floorDiv(high, width) - floorDiv(low, width) + 1;
}

} // namespace

int shownTenths(float degrees, float div, float add)
{
    const float shown = float(10 * degrees / div + add);
    return int(std::lround(double(shown) * 10.0));
}

std::vector<int> shownMap(const std::vector<float> &map, float div, float add)
{
    std::vector<int> shown(map.size());
    for (std::size_t i = 0; i < map.size(); ++i)
        shown[i] = shownTenths(map[i], div, add);
    return shown;
}

double toUnit(double celsius, int unitIndex)
{
    return unitIndex == 1 ? celsius * 1.8 + 32.0 : celsius;
}

double fromUnit(double value, int unitIndex)
{
    return unitIndex == 1 ? (value - 32.0) / 1.8 : value;
}

std::vector<ProfilePoint> lineProfile(const std::vector<int> &shown, const LineTool &line)
{
    const std::vector<QPoint> pixels = coveringPixels(line);
    const int dx = line.x2 - line.x1;
    const int dy = line.y2 - line.y1;
    const double length = std::sqrt(double(dx * dx + dy * dy));
    std::vector<ProfilePoint> profile;
    profile.reserve(pixels.size());
    for (const QPoint &p : pixels) {
        const std::size_t index = std::size_t(p.x()) * Height + std::size_t(p.y());
        if (index >= shown.size())
            continue;
        const double along
            = length > 0.0 ? double((p.x() - line.x1) * dx + (p.y() - line.y1) * dy) / length : 0.0;
        profile.push_back({along, p.x(), p.y(), shown[index]});
    }
    std::stable_sort(profile.begin(), profile.end(),
        [](const ProfilePoint &a, const ProfilePoint &b) { return a.distance < b.distance; });
    return profile;
}

QByteArray profileCsv(const std::vector<ProfilePoint> &profile)
{
    QByteArray out("distance,x,y,temperature\n");
    for (const ProfilePoint &p : profile) {
        out += QByteArray::number(p.distance, 'f', 2) + ',' + QByteArray::number(p.x) + ','
            + QByteArray::number(p.y) + ',' + QByteArray::number(p.tenths / 10.0, 'f', 1) + '\n';
    }
    return out;
}

int binWidthTenths(int low, int high)
{
    if (binsFor(low, high, 5) <= MaxBins)
        return 5;
    // 1, 2, 5 times a power of ten, from one degree up.
    for (int decade = 10;; decade *= 10) {
        for (const int step : {1, 2, 5}) {
            if (binsFor(low, high, step * decade) <= MaxBins)
                return step * decade;
        }
    }
}

int Histogram::total() const
{
    int sum = 0;
    for (const int c : counts)
        sum += c;
    return sum;
}

Histogram histogram(const std::vector<int> &tenths)
{
    Histogram h;
    if (tenths.empty())
        return h;
    const auto [lowIt, highIt] = std::minmax_element(tenths.begin(), tenths.end());
    h.widthTenths = binWidthTenths(*lowIt, *highIt);
    const int firstBin = floorDiv(*lowIt, h.widthTenths);
    h.firstTenths = firstBin * h.widthTenths;
    h.counts.assign(std::size_t(binsFor(*lowIt, *highIt, h.widthTenths)), 0);
    for (const int v : tenths)
        ++h.counts[std::size_t(floorDiv(v, h.widthTenths) - firstBin)];
    return h;
}

std::vector<int> valuesAt(const std::vector<int> &shown, const std::vector<QPoint> &pixels)
{
    std::vector<int> values;
    values.reserve(pixels.size());
    for (const QPoint &p : pixels) {
        const std::size_t index = std::size_t(p.x()) * Height + std::size_t(p.y());
        if (index < shown.size())
            values.push_back(shown[index]);
    }
    return values;
}

bool Isotherm::contains(int tenths) const
{
    switch (mode) {
    case IsothermAbove:
        return tenths >= low;
    case IsothermBelow:
        return tenths <= high;
    case IsothermBetween:
        return low <= tenths && tenths <= high;
    default:
        return false;
    }
}

std::vector<quint8> isothermMask(const std::vector<int> &shown, const Isotherm &band)
{
    std::vector<quint8> mask(std::size_t(Width * Height), 0);
    if (band.mode == IsothermOff || shown.size() < mask.size())
        return mask;
    for (int x = 0; x < Width; ++x) {
        for (int y = 0; y < Height; ++y) {
            if (band.contains(shown[std::size_t(x * Height + y)]))
                mask[std::size_t(y * Width + x)] = 1;
        }
    }
    return mask;
}

void paintMask(const std::vector<quint8> &mask, const QColor &color, cv::Mat *rgb)
{
    if (rgb->type() != CV_8UC3 || rgb->rows != Height || rgb->cols != Width
        || mask.size() < std::size_t(Width * Height))
        return;
    const cv::Vec3b paint(quint8(color.red()), quint8(color.green()), quint8(color.blue()));
    for (int y = 0; y < Height; ++y) {
        cv::Vec3b *row = rgb->ptr<cv::Vec3b>(y);
        const quint8 *in = mask.data() + std::size_t(y * Width);
        for (int x = 0; x < Width; ++x) {
            if (in[x])
                row[x] = paint;
        }
    }
}

QByteArray lockedGrey(const std::vector<int> &shown, int low, int high)
{
    QByteArray plane(Width * Height, '\0');
    if (shown.size() < std::size_t(Width * Height))
        return plane;
    const int span = high - low;
    for (int x = 0; x < Width; ++x) {
        for (int y = 0; y < Height; ++y) {
            const int t = shown[std::size_t(x * Height + y)];
            // Integers, so that a value half way between two entries rounds up exactly.
            const int index = span > 0
                ? (2 * 255 * std::clamp(t - low, 0, span) + span) / (2 * span)
                : (t < low ? 0 : 255);
            plane[y * Width + x] = char(quint8(index));
        }
    }
    return plane;
}

} // namespace ThermalCharts
