#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class QFileInfo;

// The radiometric payload behind the viewable picture of the imager's ".bmp" files: an
// 8-bit grey plane, the 5-6-5 palette the imager used and a 44-byte parameter block.
// The file has no magic number; the caller's model value alone picks the layout and the
// machine ID is the only check that the choice was right.
namespace Radiometric {

// Model values as the drive discovery settles them.
enum Model { VX305 = 0, VX300 = 1 };

constexpr int Width = 240;
constexpr int Height = 320;
constexpr int PixelCount = Width * Height;
constexpr int PaletteSize = 256;
constexpr int PaletteBytes = PaletteSize * 2;
constexpr int ParameterBytes = 44;
// The reader never looks further into a file than this.
constexpr qint64 MaxFileSize = 2000000;

// Byte offsets of the three regions of one model's file.
struct Layout
{
    int greyOffset;
    int paletteOffset;
    int parameterOffset;
    // Bytes a file needs so that every region read lies inside it.
    [[nodiscard]] constexpr int requiredSize() const { return parameterOffset + ParameterBytes; }
};

constexpr Layout VX305Layout { 230454, 307254, 307766 };
constexpr Layout VX300Layout { 153657, 230457, 230969 };

// The layout of the palette and parameter block for a model value: the VX300's for 1,
// the VX305's for every other value.
[[nodiscard]] constexpr Layout layoutFor(int model)
{
    return model == VX300 ? VX300Layout : VX305Layout;
}

struct PaletteEntry
{
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    friend bool operator==(const PaletteEntry &a, const PaletteEntry &b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const PaletteEntry &a, const PaletteEntry &b) { return !(a == b); }
};

// Entry k is the colour of grey value k.
using Palette = std::array<PaletteEntry, PaletteSize>;

// The parameter block as stored, with the stored widths; temperatures in signed tenths
// of a degree of the stored unit, emissivity in hundredths, marker coordinates as in the
// file (not yet mirrored).
struct Parameters
{
    quint8 unit = 0;
    qint16 maxTemp = 0;
    qint16 minTemp = 0;
    quint8 maxGrey = 0;
    quint8 minGrey = 0;
    qint16 centreTemp = 0;
    quint8 emissivity = 0;
    quint32 machineId = 0;
    quint16 lowX = 0;
    quint16 lowY = 0;
    quint16 highX = 0;
    quint16 highY = 0;
    quint16 centreX = 0;
    quint16 centreY = 0;
    quint16 version = 0; // tenths; VX300 only, diagnostic
};

// A marker position in picture coordinates, kept unsigned 16-bit on purpose: the
// centre spot's x - 1 of 0 is 65535, and the overlay draws it only when both are nonzero.
struct MarkerPosition
{
    quint16 x = 0;
    quint16 y = 0;
};

// Display conversion: tenths are shown as tenths / div + add, map degrees as
// 10 * degrees / div + add.
struct UnitPair
{
    float div = 10.0f;
    float add = 0.0f;
};

struct RadiometricPicture
{
    int model = VX305;
    qint64 bytesRead = 0;       // bytes taken from the file, at most MaxFileSize
    // Last path component and creation time "yyyy/MM/dd HH:mm"; set by the file reader only.
    QString fileName;
    QString fileTime;
    // 76 800 bytes, row-major, 240 per row: pixel (x, y) is byte y * 240 + x. All zero for a
    // model value other than 0 and 1, whose plane is not copied.
    QByteArray grey;
    Palette palette {};
    Palette scalePalette {};    // palette reversed: entry 255 - k is palette entry k
    Parameters params;
    MarkerPosition lowPos;
    MarkerPosition highPos;
    MarkerPosition centrePos;
    // Unit box index the file preselects: 0 "°C", 1 "°F", -1 leave the box as it is.
    int unitIndex = -1;
    // Unit pair after the preselection (a new window starts with 10.0, 0.0).
    UnitPair unitPair;
    // 76 800 temperatures in degrees of the stored unit; pixel (x, y) at x * 320 + y.
    std::vector<float> tempMap;
    double avgTemp = 0.0;       // mean of tempMap, summed in grey-plane order
};

// Widens a 5-6-5 word by shifting alone: (w >> 8) & 0xF8, (w >> 3) & 0xFC, (w << 3) & 0xFF.
[[nodiscard]] PaletteEntry decodePaletteWord(quint16 word);

// Mirrors the markers for the VX300 (239 - x, 319 - y); for other models keeps the low and
// high points and moves the centre spot to (x - 1, y - 1), all modulo 65536.
[[nodiscard]] MarkerPosition lowMarker(const Parameters &params, int model);
[[nodiscard]] MarkerPosition highMarker(const Parameters &params, int model);
[[nodiscard]] MarkerPosition centreMarker(const Parameters &params, int model);

// The unit pair for a unit box index, or nullopt when the pair stays as it is (a VX305
// file whose unit byte is neither 0 nor 1, or a model value other than 0 and 1).
// Constants exactly 5.556 and -17.78 as floats.
[[nodiscard]] std::optional<UnitPair> unitPairFor(int model, quint8 unitByte, int index);

// Temperature of grey value g in degrees: Tmax - ((Gmax - g) / (Gmax - Gmin)) * (Tmax - Tmin)
// with the ratio in float, the rest in double, rounded to float. Tmax, Tmin are the tenths
// / 10.0. When Gmax equals Gmin (a uniform scene) every grey gives Tmax.
[[nodiscard]] float pixelTemperature(const Parameters &params, quint8 g);

// The map and its mean from a 76 800-byte grey plane; map index x * 320 + y, sum in double
// over y 0-319 then x 0-239.
void computeTemperatureMap(const QByteArray &grey, const Parameters &params,
                           std::vector<float> *map, double *mean);

// The time a picture was taken as the file system keeps it: its creation time, else (file
// systems that record none) its last modification.
[[nodiscard]] QDateTime pictureTime(const QFileInfo &info);

// Decodes the payload of a file's bytes (only the first MaxFileSize count). nullopt when the
// bytes are shorter than the model's layout needs or the machine ID is not 5 or 6.
[[nodiscard]] std::optional<RadiometricPicture> parseRadiometricBytes(const QByteArray &bytes,
                                                                      int model);

// Reads at most MaxFileSize bytes of the file and decodes them; nullopt as
// parseRadiometricBytes and also when the file cannot be opened or is a directory.
// The bytes taken from the file are left in *bytesRead when given.
[[nodiscard]] std::optional<RadiometricPicture>
parseRadiometricFile(const QString &path, int model, QByteArray *bytesRead = nullptr);

} // namespace Radiometric
