#include "app/configrecord.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

namespace ConfigRecord {

namespace {

#ifdef Q_OS_WIN
constexpr bool CrLfPlatform = true;
#else
constexpr bool CrLfPlatform = false;
#endif

QByteArray toDisk(QByteArray bytes)
{
    if (CrLfPlatform)
        bytes.replace("\n", "\r\n");
    return bytes;
}

QByteArray fromDisk(QByteArray bytes)
{
    if (CrLfPlatform)
        bytes.replace("\r\n", "\n");
    return bytes;
}

} // namespace

QString userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/VX305");
}

QString filePath()
{
    return userFolder() + QStringLiteral("/cofnig.ini");
}

QString defaultRecord(const QString &language)
{
    return QStringLiteral("000,") + language + QLatin1Char(',') + userFolder();
}

QString defaultField(int index)
{
    switch (index) {
    case LeadingCode:
        return QStringLiteral("000");
    case LanguageCode:
        return QStringLiteral("EN");
    case AlarmFolder:
        return userFolder();
    default:
        return QString();
    }
}

QByteArray encode(const QString &record)
{
    QByteArray bytes(4 + record.size() * 2, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(record.size() * 2), bytes.data());
    const char16_t *units = reinterpret_cast<const char16_t *>(record.utf16());
    qToBigEndian<char16_t>(units, record.size(), bytes.data() + 4);
    return toDisk(bytes);
}

std::optional<QString> decode(const QByteArray &fileBytes)
{
    const QByteArray bytes = fromDisk(fileBytes);
    if (bytes.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(bytes.constData());
    if (length == 0xFFFFFFFFu)
        return QString();
    if (length % 2 != 0 || length > quint32(bytes.size() - 4))
        return std::nullopt;
    QString text(int(length / 2), Qt::Uninitialized);
    qFromBigEndian<char16_t>(bytes.constData() + 4, text.size(),
                             reinterpret_cast<char16_t *>(text.data()));
    return text;
}

QStringList readFields()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<QString> record = decode(file.read(MaxFileSize));
    if (!record)
        return {};
    return record->split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString readField(int index)
{
    const QStringList fields = readFields();
    return index >= 0 && index < fields.size() ? fields.at(index) : defaultField(index);
}

bool write(const QString &record)
{
    QFile file(filePath());
    // Not truncated: bytes past the new record keep what an older record left there.
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = encode(record);
    return file.write(bytes) == bytes.size();
}

void rewriteField(int index, const QString &value)
{
    if (!QFile::exists(filePath()))
        return;
    QStringList fields = readFields();
    while (fields.size() < 3)
        fields.append(defaultField(fields.size()));
    if (index >= 0 && index < 3)
        fields[index] = value;
    write(fields.at(0) + QLatin1Char(',') + fields.at(1) + QLatin1Char(',') + fields.at(2));
}

void createDefault(const QString &language)
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .mkpath(QStringLiteral("VX305"));
    qDebug() << "文件夹创建成功";
    write(defaultRecord(language));
}

} // namespace ConfigRecord
