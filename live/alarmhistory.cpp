#include "live/alarmhistory.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace AlarmHistory {

const QStringList &pictureNames()
{
    static const QStringList names = {
        QStringLiteral("F1.JPG"), QStringLiteral("F2.JPG"), QStringLiteral("F3.JPG"),
        QStringLiteral("Alarm.JPG"), QStringLiteral("L1.JPG"), QStringLiteral("L2.JPG"),
        QStringLiteral("L3.JPG")
    };
    return names;
}

bool isAlarmFolderName(const QString &name)
{
    return name.startsWith(QLatin1String("20")) && name.size() >= 14;
}

QStringList alarmFolders(const QString &root)
{
    if (root.isEmpty())
        return {};
    const QStringList entries = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                     QDir::Name | QDir::IgnoreCase);
    QStringList folders;
    for (const QString &name : entries) {
        if (isAlarmFolderName(name))
            folders << name;
    }
    return folders;
}

QString newFolderName(const QString &root, const QDateTime &now)
{
    const QString stamp = now.toString(QStringLiteral("yyyyMMddhhmmss"));
    const QDir dir(root);
    QString name = stamp;
    for (int n = 2; dir.exists(name); ++n)
        name = stamp + QLatin1Char('_') + QString::number(n);
    return name;
}

std::optional<QString> writeAlarmFolder(const QString &root, const QList<QImage> &frames,
                                        const QString &record, const QDateTime &now)
{
    if (frames.size() != pictureNames().size())
        return std::nullopt;
    QDir dir(root);
    if (root.isEmpty() || !dir.exists())
        return std::nullopt;
    const QString name = newFolderName(root, now);
    if (!dir.mkdir(name))
        return std::nullopt;
    const QString folder = dir.filePath(name);
    for (int i = 0; i < frames.size(); ++i)
        frames.at(i).save(folder + QLatin1Char('/') + pictureNames().at(i), "jpg");

    QFile file(folder + QLatin1Char('/') + name + QStringLiteral(".ini"));
    // Truncate: a record must never keep the tail of an older, longer one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return std::nullopt;
    file.write(record.toUtf8());
    file.close();
    return name;
}

QStringList recordLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    in.setCodec("UTF-8");
    QStringList lines;
    while (!in.atEnd())
        lines << in.readLine();
    return lines;
}

QStringList readingsOf(const QStringList &lines)
{
    QStringList fields;
    if (!lines.isEmpty())
        fields = lines.last().split(QLatin1Char(','));
    QStringList readings;
    for (int i = 0; i < 3; ++i)
        readings << (i < fields.size() ? fields.at(i) : QStringLiteral("--"));
    return readings;
}

QStringList pictureFiles(const QString &folder)
{
    return QDir(folder).entryList({ QStringLiteral("*.png"), QStringLiteral("*.jpg"),
                                    QStringLiteral("*.bmp") },
                                  QDir::Files, QDir::Name);
}

} // namespace AlarmHistory
