// Feeds arbitrary bytes to the radiometric picture decoder of both models.
// Byte 0: bit 0 picks the model (0 VX305, 1 VX300). With bit 1 clear the rest is the whole
// file; with bit 1 set the rest is laid over the end of a zero-filled file of exactly the
// model's layout size, so short inputs reach the palette and parameter block.
#include "analysis/radiometricfile.h"

#include <QLoggingCategory>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Radiometric;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("vx305.radiometric.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0 || size > size_t(MaxFileSize) + 1)
        return 0;
    const int model = data[0] & 1;
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const int restSize = int(size - 1);

    QByteArray bytes;
    if (data[0] & 2) {
        const int total = layoutFor(model).requiredSize();
        bytes = QByteArray(total, '\0');
        const int n = qMin(restSize, total);
        std::memcpy(bytes.data() + total - n, rest, size_t(n));
    } else {
        // Exactly the input bytes, so any read past them is caught by the sanitizer.
        bytes = QByteArray(rest, restSize);
    }

    const std::optional<RadiometricPicture> picture = parseRadiometricBytes(bytes, model);
    if (!picture)
        return 0;
    if (bytes.size() < layoutFor(model).requiredSize())
        std::abort();
    if (picture->params.machineId != 5 && picture->params.machineId != 6)
        std::abort();
    // A uniform scene holds its maximum temperature everywhere.
    if (picture->params.maxGrey == picture->params.minGrey
        && picture->tempMap.front() != float(picture->params.maxTemp / 10.0))
        std::abort();
    if (picture->grey.size() != PixelCount || picture->tempMap.size() != size_t(PixelCount))
        std::abort();
    if (picture->bytesRead != bytes.size())
        std::abort();
    for (const float t : picture->tempMap) {
        if (!std::isfinite(t))
            std::abort();
    }
    if (!std::isfinite(picture->avgTemp))
        std::abort();
    // The mean lies between the coldest and the hottest value of the map.
    float lo = picture->tempMap.front();
    float hi = lo;
    for (const float t : picture->tempMap) {
        lo = qMin(lo, t);
        hi = qMax(hi, t);
    }
    if (picture->avgTemp < double(lo) - 1e-3 || picture->avgTemp > double(hi) + 1e-3)
        std::abort();
    return 0;
}
