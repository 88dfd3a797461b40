#pragma once

// Builds radiometric picture files of both imager models byte by byte, so tests and
// benchmarks make every file they need. The offsets are written out here on purpose,
// independently of the reader, so a wrong offset in either shows up as a failing test.

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cmath>

// A temperature as the tables show it, one decimal: degrees, or for °F 10 x degrees / 5.556 + 32
// (the imager's rounded constant, not 1.8).
inline QString shown(double degrees, bool fahrenheit = false)
{
    return QString::number(fahrenheit ? 10 * degrees / 5.556 + 32 : degrees, 'f', 1);
}

struct PictureFixture
{
    enum Model { VX305 = 0, VX300 = 1 };

    int model = VX305;
    // 76 800 bytes in display order: pixel (x, y) is byte y * 240 + x. The writer stores it
    // back to front for the VX300.
    QByteArray grey = QByteArray(240 * 320, '\0');
    // 5-6-5 words, entry k for grey value k.
    std::array<quint16, 256> palette {};
    quint8 unit = 0;
    // Edges by default: fractional limits, a minimum and a centre below zero, and a grey span
    // inside 0-255, so that the greys beyond it are extrapolated.
    qint16 maxTemp = 307;
    qint16 minTemp = -53;
    quint8 maxGrey = 230;
    quint8 minGrey = 20;
    qint16 centreTemp = -18;
    quint8 emissivity = 95;
    quint32 machineId = 5;
    quint16 lowX = 0;
    quint16 lowY = 0;
    quint16 highX = 0;
    quint16 highY = 0;
    quint16 centreX = 120;
    quint16 centreY = 160;
    quint16 version = 0;
    // Bytes appended after the 44-byte parameter block.
    QByteArray tail;

    static constexpr int vx305Grey = 230454;
    static constexpr int vx300Grey = 153657;

    [[nodiscard]] int greyOffset() const { return model == VX300 ? vx300Grey : vx305Grey; }
    [[nodiscard]] int paletteOffset() const { return greyOffset() + 76800; }
    [[nodiscard]] int parameterOffset() const { return paletteOffset() + 512; }
    // Size of a file that holds the 44-byte parameter block and nothing after it.
    [[nodiscard]] int layoutSize() const { return parameterOffset() + 44; }

    void setPixel(int x, int y, quint8 g) { grey[y * 240 + x] = char(g); }

    // The degrees grey g stands for: the straight line through (minGrey, minTemp / 10) and
    // (maxGrey, maxTemp / 10), beyond them too. In double, so one decimal of it matches the
    // reader's float wherever it lies clear of a rounding boundary.
    [[nodiscard]] double degrees(int g) const
    {
        return maxTemp / 10.0 - (maxGrey - g) * (maxTemp - minTemp) / 10.0 / (maxGrey - minGrey);
    }
    void fillGrey(quint8 g) { grey.fill(char(g)); }

    [[nodiscard]] QByteArray bytes() const
    {
        Q_ASSERT(grey.size() == 240 * 320);
        // The viewable picture is never read; a recognisable filler makes stray reads show.
        QByteArray out(greyOffset(), char(0x5A));
        out[0] = 'B';
        out[1] = 'M';
        if (model == VX300) {
            for (int i = 0; i < 76800; ++i)
                out.append(grey[76799 - i]);
        } else {
            out.append(grey);
        }
        QDataStream stream(&out, QIODevice::Append);
        stream.setByteOrder(QDataStream::LittleEndian);
        for (const quint16 word : palette)
            stream << word;
        // The 44-byte parameter block.
        stream << unit << maxTemp << minTemp << maxGrey << minGrey << centreTemp << emissivity
               << quint16(machineId & 0xFFFF) << quint16(machineId >> 16) << lowX << lowY << highX
               << highY << centreX << centreY;
        stream.writeRawData(QByteArray(16, char(0xEE)).constData(), 16);
        stream << version;
        stream.writeRawData(tail.constData(), tail.size());
        Q_ASSERT(out.size() == layoutSize() + tail.size());
        return out;
    }

    bool writeTo(const QString &path) const { return writeBytes(path, bytes()); }

    // The bytes with a viewable 240 x 320 bitmap of `front` in place of the filler, as the
    // imager writes its files. A 24-bit bitmap takes exactly the VX305's 230 454 bytes; a
    // VX300 file keeps the filler.
    [[nodiscard]] QByteArray viewableBytes(const QImage &front) const
    {
        QByteArray out = bytes();
        QBuffer bitmap;
        bitmap.open(QIODevice::WriteOnly);
        front.convertToFormat(QImage::Format_RGB888).save(&bitmap, "BMP");
        if (model == VX305 && bitmap.size() == vx305Grey)
            out.replace(0, vx305Grey, bitmap.data());
        return out;
    }

    // A scene for screenshots and benchmarks: two warm spots on a cool background under an
    // iron-like palette, with the hottest and coldest points marked.
    static PictureFixture scene(int model)
    {
        PictureFixture p;
        p.model = model;
        for (int k = 0; k < 256; ++k) {
            const double t = k / 255.0;
            const int r = int(255 * std::min(1.0, t * 1.6));
            const int g = int(255 * std::clamp((t - 0.35) * 1.7, 0.0, 1.0));
            const double b = 255 * std::max(0.0, t < 0.3 ? 0.2 + t * 1.5 : 0.65 - (t - 0.3) * 1.6);
            const int blue = std::clamp(int(b + (t > 0.85 ? (t - 0.85) * 1200 : 0)), 0, 255);
            p.palette[std::size_t(k)] = quint16(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (blue >> 3));
        }
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 240; ++x) {
                const double a = std::exp(-((x - 80) * (x - 80) + (y - 110) * (y - 110)) / 1800.0);
                const double c = std::exp(-((x - 170) * (x - 170) + (y - 230) * (y - 230)) / 900.0);
                const double v = 30 + 200 * a + 150 * c + 10 * std::sin(x / 9.0) * std::cos(y / 11.0);
                p.setPixel(x, y, quint8(std::clamp(v, 0.0, 255.0)));
            }
        }
        p.maxTemp = 652;
        p.minTemp = 183;
        p.maxGrey = 230;
        p.minGrey = 20;
        p.centreTemp = 305;
        // The VX300 stores its markers in the turned frame of its grey plane.
        const bool turned = model == VX300;
        p.lowX = turned ? 229 : 10;
        p.lowY = turned ? 19 : 300;
        p.highX = turned ? 159 : 80;
        p.highY = turned ? 209 : 110;
        p.centreX = turned ? 119 : 120;
        p.centreY = turned ? 159 : 160;
        return p;
    }

    static bool writeBytes(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return file.write(content) == content.size();
    }
};
