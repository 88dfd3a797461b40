#include "browser/picturelisting.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace PictureListing {

QFileInfoList pictureEntries(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryInfoList({ QStringLiteral("*.bmp") }, QDir::NoFilter, QDir::Name);
}

QDateTime creationTime(const QFileInfo &info)
{
    const QDateTime birth = info.birthTime();
    return birth.isValid() ? birth : info.metadataChangeTime();
}

QString timeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString sizeText(qint64 bytes)
{
    return QString::number(double(bytes) * 0.0009765625, 'f', 1);
}

Listing listFolder(const QString &folder)
{
    const QFileInfoList entries = pictureEntries(folder);
    Listing listing;
    listing.names.reserve(entries.size());
    listing.times.reserve(entries.size());
    listing.sizes.reserve(entries.size());
    for (const QFileInfo &entry : entries) {
        listing.names << entry.fileName();
        listing.times << timeText(creationTime(entry));
        listing.sizes << sizeText(entry.size());
    }
    return listing;
}

QImage roundedThumbnail(const QImage &picture, const QSize &size, qreal radius)
{
    if (picture.isNull())
        return picture;
    const QImage scaled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage thumbnail(size, QImage::Format_ARGB32_Premultiplied);
    thumbnail.fill(Qt::transparent);
    QPainter painter(&thumbnail);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(0, 0, size.width(), size.height(), radius, radius, Qt::AbsoluteSize);
    painter.setClipPath(clip);
    painter.drawImage(0, 0, scaled);
    return thumbnail;
}

QSize shownSize(const QSize &picture, const QSize &box)
{
    QSize shown = picture;
    if (shown.width() > box.width() || shown.height() > box.height())
        shown.scale(box, Qt::KeepAspectRatio);
    return shown;
}

QImage thumbnail(const QString &path, const QSize &box, qreal radius)
{
    QImage picture(path);
    if (picture.isNull())
        return picture;
    // Rounding first, at the picture's own size, keeps the corners as the whole picture had them.
    if (radius > 0)
        picture = roundedThumbnail(picture, picture.size(), radius);
    const QSize shown = shownSize(picture.size(), box);
    if (shown == picture.size())
        return picture;
    return picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace PictureListing
