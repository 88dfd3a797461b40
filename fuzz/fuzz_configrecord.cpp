// Feeds arbitrary file contents to the configuration record reader.
#include "app/configrecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const std::optional<QString> record = ConfigRecord::decode(bytes);
    if (record) {
        // The text can never be longer than the bytes that carried it.
        if (qint64(record->size()) * 2 + 4 > qint64(size))
            std::abort();
        const QStringList fields = record->split(QLatin1Char(','));
        if (fields.isEmpty())
            std::abort();
        // Encoding the decoded text and decoding it again gives the same text.
        if (ConfigRecord::decode(ConfigRecord::encode(*record)) != record)
            std::abort();
    }
    return 0;
}
