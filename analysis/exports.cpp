#include "analysis/exports.h"

#include <cstring>

namespace Exports {

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void appendLine(QByteArray *out, const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString &field : fields)
        escaped << csvField(field);
    out->append(escaped.join(QLatin1Char(',')).toUtf8());
    out->append('\n');
}

} // namespace

float displayValue(float degrees, float div, float add)
{
    return float(10 * degrees / div + add);
}

QString displayDegrees(float degrees, float div, float add)
{
    // QString::number never uses the locale, so the separator is always ".".
    return QString::number(double(displayValue(degrees, div, add)), 'f', 1);
}

QString displayTenths(qint16 tenths, float div, float add)
{
    const float value = float(tenths) / div + add;
    return QString::number(double(value), 'f', 1);
}

QString displayMean(double mean, float div, float add)
{
    return QString::number(10 * mean / div + add, 'f', 1);
}

QByteArray temperatureCsv(const PictureInfo &info, const std::vector<float> &map, float div,
                          float add)
{
    constexpr int Width = 240;
    constexpr int Height = 320;
    // A picture's map holds one value per grey, so at most 256 different texts: each is
    // formatted once and then copied, which makes the file several times faster to write.
    struct Shown
    {
        quint32 bits = 0;
        bool set = false;
        QByteArray text;
    };
    std::vector<Shown> shown(1024);
    const auto text = [&](float degrees) -> const QByteArray & {
        quint32 bits = 0;
        std::memcpy(&bits, &degrees, sizeof bits);
        Shown &slot = shown[(bits ^ (bits >> 13)) & 1023u];
        if (!slot.set || slot.bits != bits)
            slot = { bits, true, displayDegrees(degrees, div, add).toLatin1() };
        return slot.text;
    };
    QByteArray out;
    out.reserve(Width * Height * 6 + 200);
    out += "# file: " + info.fileName.toUtf8() + '\n';
    out += QByteArray("# model: ") + (info.model == 1 ? "VX300" : "VX305") + '\n';
    out += "# unit: " + info.unit.toUtf8() + '\n';
    out += "# emissivity: " + QByteArray::number(info.emissivity / 100.0, 'f', 2) + '\n';
    if (map.size() < std::size_t(Width * Height))
        return out;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            if (x > 0)
                out += ',';
            out += text(map[std::size_t(x) * Height + std::size_t(y)]);
        }
        out += '\n';
    }
    return out;
}

QByteArray csvTable(const QStringList &header, const QList<QStringList> &rows)
{
    QByteArray out;
    appendLine(&out, header);
    for (const QStringList &row : rows)
        appendLine(&out, row);
    return out;
}

} // namespace Exports
