#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The per-user configuration file "cofnig.ini": one QDataStream string (big-endian
// 32-bit byte length, then UTF-16BE code units) holding three comma-separated fields.
// The file is never truncated: a writer starts at byte 0 and leaves any older tail.
// On CR LF platforms every 0x0A byte of the stream is stored as 0x0D 0x0A.
namespace ConfigRecord {

enum Field { LeadingCode = 0, LanguageCode = 1, AlarmFolder = 2 };

// Largest file we are willing to read; a real record is a few hundred bytes.
constexpr qint64 MaxFileSize = 1 << 20;

// Documents location + "/VX305"; built afresh on every call.
[[nodiscard]] QString userFolder();
// userFolder() + "/cofnig.ini".
[[nodiscard]] QString filePath();

// "000," + language + "," + userFolder().
[[nodiscard]] QString defaultRecord(const QString &language);
// The value a reader gets for a field the file does not provide.
[[nodiscard]] QString defaultField(int index);

// The bytes written for a record, line endings already translated for this platform.
[[nodiscard]] QByteArray encode(const QString &record);
// The record stored at the start of the file's bytes; nullopt when the bytes do not
// hold a complete string (empty, short, odd length, length past the data).
// A null string (length 0xFFFFFFFF) decodes to an empty record.
[[nodiscard]] std::optional<QString> decode(const QByteArray &fileBytes);

// Fields of the stored record split on ","; empty when the file is missing or damaged.
[[nodiscard]] QStringList readFields();
// One field by position, or defaultField(index) when the record lacks it.
[[nodiscard]] QString readField(int index);

// Writes the record from the first byte, creating the file if needed.
bool write(const QString &record);

// Replaces one field (1 or 2) and writes back exactly three fields. Fields the stored
// record lacks are filled with their defaults. Does nothing when the file is missing.
void rewriteField(int index, const QString &value);

// Creates the per-user folder and writes the default record with the given language.
void createDefault(const QString &language);

} // namespace ConfigRecord
