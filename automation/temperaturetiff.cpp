#include "automation/temperaturetiff.h"

#include "analysis/exports.h"
#include "analysis/radiometricfile.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace TemperatureTiff {

namespace {

// libtiff writes through these into memory, so the file on disk is replaced whole.
struct MemoryFile
{
    QByteArray bytes;
    qint64 position = 0;
    QString error;
};

MemoryFile *memory(thandle_t handle)
{
    return static_cast<MemoryFile *>(handle);
}

tmsize_t readMemory(thandle_t handle, void *buffer, tmsize_t size)
{
    MemoryFile *file = memory(handle);
    const qint64 count = std::clamp<qint64>(file->bytes.size() - file->position, 0, size);
    std::memcpy(buffer, file->bytes.constData() + file->position, std::size_t(count));
    file->position += count;
    return tmsize_t(count);
}

tmsize_t writeMemory(thandle_t handle, void *buffer, tmsize_t size)
{
    MemoryFile *file = memory(handle);
    const qint64 end = file->position + size;
    if (end > file->bytes.size())
        file->bytes.resize(int(end));
    std::memcpy(file->bytes.data() + file->position, buffer, std::size_t(size));
    file->position = end;
    return size;
}

toff_t seekMemory(thandle_t handle, toff_t offset, int whence)
{
    MemoryFile *file = memory(handle);
    const qint64 base = whence == SEEK_CUR ? file->position
        : whence == SEEK_END               ? file->bytes.size()
                                           : 0;
    // Offsets relative to the end or the position may be negative, passed as unsigned.
    const qint64 target = base + qint64(offset);
    if (target < 0)
        return toff_t(-1);
    file->position = target;
    return toff_t(target);
}

int closeMemory(thandle_t)
{
    return 0;
}

toff_t sizeOfMemory(thandle_t handle)
{
    return toff_t(memory(handle)->bytes.size());
}

int mapNothing(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapNothing(thandle_t, void *, toff_t) { }

int keepError(TIFF *, void *userData, const char *module, const char *format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    static_cast<MemoryFile *>(userData)->error = QString::fromLocal8Bit(module ? module : "libtiff")
        + QStringLiteral(": ") + QString::fromLocal8Bit(text);
    return 1;
}

int ignoreWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

} // namespace

QByteArray encode(
    const std::vector<float> &map, float div, float add, const QString &unitText, QString *error)
{
    using Radiometric::Height;
    using Radiometric::Width;
    if (map.size() != std::size_t(Radiometric::PixelCount)) {
        if (error)
            *error = QStringLiteral("no temperature map");
        return {};
    }
    MemoryFile file;
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, keepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreWarning, nullptr);
    TIFF *tiff = TIFFClientOpenExt("temperatures.tiff", "w", &file, readMemory, writeMemory,
        seekMemory, closeMemory, sizeOfMemory, mapNothing, unmapNothing, options);
    TIFFOpenOptionsFree(options);
    if (!tiff) {
        if (error)
            *error = file.error;
        return {};
    }
    // Plain ASCII: a TIFF description holds no other characters.
    const QByteArray description
        = "Temperatures in " + QByteArray(unitText == QLatin1String("°F") ? "degF" : "degC");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(Width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(Height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(32));
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, uint16_t(SAMPLEFORMAT_IEEEFP));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_MINISBLACK));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, uint16_t(COMPRESSION_NONE));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(Height));
    TIFFSetField(tiff, TIFFTAG_IMAGEDESCRIPTION, description.constData());
    TIFFSetField(tiff, TIFFTAG_SOFTWARE, "vx305");

    std::vector<float> row(std::size_t(Width), 0.0f);
    bool written = true;
    for (int y = 0; y < Height && written; ++y) {
        for (int x = 0; x < Width; ++x)
            row[std::size_t(x)]
                = Exports::displayValue(map[std::size_t(x) * Height + std::size_t(y)], div, add);
        written = TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0) == 1;
    }
    written = written && TIFFFlush(tiff) == 1;
    TIFFClose(tiff);
    if (!written) {
        if (error)
            *error = file.error;
        return {};
    }
    return file.bytes;
}

} // namespace TemperatureTiff
