#include "analysis/radiometricfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QtEndian>

#include <algorithm>

Q_LOGGING_CATEGORY(lcRadiometric, "vx305.radiometric")

namespace Radiometric {

namespace {

const uchar *at(const QByteArray &bytes, int offset)
{
    return reinterpret_cast<const uchar *>(bytes.constData()) + offset;
}

Parameters readParameters(const uchar *block)
{
    Parameters p;
    p.unit = block[0];
    p.maxTemp = qFromLittleEndian<qint16>(block + 1);
    p.minTemp = qFromLittleEndian<qint16>(block + 3);
    p.maxGrey = block[5];
    p.minGrey = block[6];
    p.centreTemp = qFromLittleEndian<qint16>(block + 7);
    p.emissivity = block[9];
    p.machineId = qFromLittleEndian<quint32>(block + 10);
    p.lowX = qFromLittleEndian<quint16>(block + 14);
    p.lowY = qFromLittleEndian<quint16>(block + 16);
    p.highX = qFromLittleEndian<quint16>(block + 18);
    p.highY = qFromLittleEndian<quint16>(block + 20);
    p.centreX = qFromLittleEndian<quint16>(block + 22);
    p.centreY = qFromLittleEndian<quint16>(block + 24);
    p.version = qFromLittleEndian<quint16>(block + 42);
    return p;
}

MarkerPosition mirrored(quint16 x, quint16 y)
{
    return { quint16(239 - x), quint16(319 - y) };
}

} // namespace

QDateTime pictureTime(const QFileInfo &info)
{
    // Not every Linux file system records a birth time; the modification time stands in.
    const QDateTime time = info.birthTime();
    return time.isValid() ? time : info.lastModified();
}

PaletteEntry decodePaletteWord(quint16 word)
{
    return { quint8((word >> 8) & 0xF8), quint8((word >> 3) & 0xFC), quint8((word << 3) & 0xFF) };
}

MarkerPosition lowMarker(const Parameters &params, int model)
{
    if (model == VX300)
        return mirrored(params.lowX, params.lowY);
    return { params.lowX, params.lowY };
}

MarkerPosition highMarker(const Parameters &params, int model)
{
    if (model == VX300)
        return mirrored(params.highX, params.highY);
    return { params.highX, params.highY };
}

MarkerPosition centreMarker(const Parameters &params, int model)
{
    if (model == VX300)
        return mirrored(params.centreX, params.centreY);
    return { quint16(params.centreX - 1), quint16(params.centreY - 1) };
}

std::optional<UnitPair> unitPairFor(int model, quint8 unitByte, int index)
{
    const UnitPair same { 10.0f, 0.0f };
    const UnitPair celsiusToFahrenheit { 5.556f, 32.0f };
    const UnitPair fahrenheitToCelsius { 18.0f, -17.78f };
    if (index != 0 && index != 1)
        return std::nullopt;
    if (model == VX300)
        return index == 0 ? same : celsiusToFahrenheit;
    if (model != VX305)
        return std::nullopt;
    if (unitByte == 0)
        return index == 0 ? same : celsiusToFahrenheit;
    if (unitByte == 1)
        return index == 0 ? fahrenheitToCelsius : same;
    return std::nullopt;
}

float pixelTemperature(const Parameters &params, quint8 g)
{
    const double tMax = params.maxTemp / 10.0;
    // A uniform scene: one grey stands for the maximum, and nothing else is defined.
    if (params.maxGrey == params.minGrey)
        return float(tMax);
    const double tMin = params.minTemp / 10.0;
    const float ratio = float(int(params.maxGrey) - int(g))
            / float(int(params.maxGrey) - int(params.minGrey));
    return float(tMax - double(ratio) * (tMax - tMin));
}

void computeTemperatureMap(const QByteArray &grey, const Parameters &params,
                           std::vector<float> *map, double *mean)
{
    Q_ASSERT(grey.size() == PixelCount);
    // 256 grey values only: the table gives the same floats as evaluating every pixel.
    std::array<float, 256> byGrey;
    for (int g = 0; g < 256; ++g)
        byGrey[std::size_t(g)] = pixelTemperature(params, quint8(g));

    map->assign(std::size_t(PixelCount), 0.0f);
    const uchar *plane = at(grey, 0);
    double sum = 0.0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const float t = byGrey[plane[y * Width + x]];
            (*map)[std::size_t(x * Height + y)] = t;
            sum += double(t);
        }
    }
    *mean = sum / 76800.0;
}

std::optional<RadiometricPicture> parseRadiometricBytes(const QByteArray &fileBytes, int model)
{
    const QByteArray bytes = fileBytes.size() > MaxFileSize
            ? QByteArray::fromRawData(fileBytes.constData(), int(MaxFileSize))
            : fileBytes;
    qCDebug(lcRadiometric) << "bytes read" << bytes.size() << "model" << model;

    // Every region lies before the end of the parameter block, so one check covers all.
    const Layout layout = layoutFor(model);
    const int required = layout.requiredSize();
    if (bytes.size() < required) {
        qCDebug(lcRadiometric) << "file too short, needs" << required;
        return std::nullopt;
    }

    RadiometricPicture picture;
    picture.model = model;
    picture.bytesRead = bytes.size();

    picture.grey = QByteArray(PixelCount, '\0');
    uchar *plane = reinterpret_cast<uchar *>(picture.grey.data());
    const uchar *stored = at(bytes, layout.greyOffset);
    if (model == VX305) {
        std::copy(stored, stored + PixelCount, plane);
    } else if (model == VX300) {
        // Stored back to front: the picture turned by 180 degrees.
        for (int i = 0; i < PixelCount; ++i)
            plane[PixelCount - 1 - i] = stored[i];
    }

    const uchar *words = at(bytes, layout.paletteOffset);
    for (int k = 0; k < PaletteSize; ++k) {
        const PaletteEntry entry = decodePaletteWord(qFromLittleEndian<quint16>(words + 2 * k));
        picture.palette[std::size_t(k)] = entry;
        picture.scalePalette[std::size_t(PaletteSize - 1 - k)] = entry;
    }

    const Parameters params = readParameters(at(bytes, layout.parameterOffset));
    picture.params = params;
    picture.unitIndex = params.unit == 0 ? 0 : params.unit == 1 ? 1 : -1;
    if (picture.unitIndex >= 0) {
        if (const std::optional<UnitPair> pair =
                    unitPairFor(model, params.unit, picture.unitIndex))
            picture.unitPair = *pair;
    }
    qCDebug(lcRadiometric) << "unit" << params.unit << "max" << params.maxTemp << "min"
                           << params.minTemp << "grey" << params.maxGrey << params.minGrey
                           << "centre" << params.centreTemp << "emissivity"
                           << params.emissivity << "machine" << params.machineId;

    if (params.machineId != 5 && params.machineId != 6) {
        qCDebug(lcRadiometric) << "machine ID is not 5 or 6: wrong model or foreign file";
        return std::nullopt;
    }
    if (params.maxGrey == params.minGrey)
        qCDebug(lcRadiometric) << "uniform scene: every pixel at the maximum temperature";

    picture.lowPos = lowMarker(params, model);
    picture.highPos = highMarker(params, model);
    picture.centrePos = centreMarker(params, model);
    if (model == VX300)
        qCDebug(lcRadiometric) << "version" << params.version;

    computeTemperatureMap(picture.grey, params, &picture.tempMap, &picture.avgTemp);
    return picture;
}

std::optional<RadiometricPicture> parseRadiometricFile(const QString &path, int model,
                                                      QByteArray *bytesRead)
{
    const QFileInfo info(path);
    if (info.isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(MaxFileSize);
    file.close();
    if (bytesRead)
        *bytesRead = bytes;

    std::optional<RadiometricPicture> picture = parseRadiometricBytes(bytes, model);
    if (picture) {
        picture->fileName = info.fileName();
        picture->fileTime = pictureTime(info).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    }
    return picture;
}

} // namespace Radiometric
