#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// Files a spreadsheet or another program reads: the temperature map and the measurement
// table as CSV. UTF-8, "\n" line ends, "." as the decimal separator whatever the locale.
namespace Exports {

// A map value in the unit shown: 10 * degrees / div + add in single precision, before any
// rounding.
[[nodiscard]] float displayValue(float degrees, float div, float add);

// displayValue with one decimal, exactly as the cursor readout shows it.
[[nodiscard]] QString displayDegrees(float degrees, float div, float add);

// A stored value in tenths in the unit shown, one decimal: tenths / div + add in single
// precision, as the information table shows it.
[[nodiscard]] QString displayTenths(qint16 tenths, float div, float add);

// The picture's mean in the unit shown, one decimal: 10 * mean / div + add in double precision.
[[nodiscard]] QString displayMean(double mean, float div, float add);

// What the temperature export says about the picture in its comment lines.
struct PictureInfo
{
    QString fileName;
    int model = 0;       // 0 VX305, 1 VX300
    QString unit;        // "°C" or "°F"
    int emissivity = 0;  // hundredths, as stored
};

// "# file:", "# model:", "# unit:", "# emissivity:" lines, then 320 rows (y = 0 first) of 240
// values (x = 0 first) from a map indexed x * 320 + y.
[[nodiscard]] QByteArray temperatureCsv(const PictureInfo &info, const std::vector<float> &map,
                                        float div, float add);

// One line of header texts and one per row; a field holding a comma, a quote or a line end
// is quoted, its quotes doubled.
[[nodiscard]] QByteArray csvTable(const QStringList &header, const QList<QStringList> &rows);

} // namespace Exports
