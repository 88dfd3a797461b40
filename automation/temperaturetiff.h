#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The temperature map as a picture other programs measure in: a TIFF of 32-bit IEEE floats,
// one sample per pixel, 240 wide and 320 high, uncompressed, row y = 0 first. Each value is
// Exports::displayValue of the map value, the number the temperature CSV rounds.
namespace TemperatureTiff {

// The file's bytes for a map indexed x * 320 + y, shown through the pair (div, add) in the
// unit named unitText ("°C" or "°F", written into the description). Empty, with libtiff's
// reason in *error, when encoding failed or the map is not 76 800 values.
[[nodiscard]] QByteArray encode(const std::vector<float> &map, float div, float add,
    const QString &unitText, QString *error = nullptr);

} // namespace TemperatureTiff
