#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// Listing the imager's pictures of one folder into the photo browser's parallel lists,
// and the thumbnails its views show. No widgets; everything here is safe on any thread.
namespace PictureListing {

// Entry i of each list describes the same file.
struct Listing
{
    QStringList names;
    QStringList times;
    QStringList sizes;
};

// The folder's entries matching "*.bmp", sorted by name (case-sensitive), with QDir's
// default entry filters. An empty folder path gives no entries: it never means the
// current directory.
[[nodiscard]] QFileInfoList pictureEntries(const QString &folder);

// The file's creation time; where the file system keeps none, the time its metadata
// last changed (what Windows-less systems offer instead).
[[nodiscard]] QDateTime creationTime(const QFileInfo &info);

// "yyyy/MM/dd HH:mm", 24-hour clock.
[[nodiscard]] QString timeText(const QDateTime &time);

// Size in KiB (bytes x 0.0009765625) with exactly one decimal, as QString::number(.., 'f', 1).
[[nodiscard]] QString sizeText(qint64 bytes);

// Names, creation times and sizes of pictureEntries(folder), in that order. Reads the
// directory only, never a picture.
[[nodiscard]] Listing listFolder(const QString &folder);

// The picture scaled to size (aspect ratio ignored, smooth) and clipped to a rectangle
// with corners of the given radius in pixels, outside transparent. A null picture is
// returned unchanged.
[[nodiscard]] QImage roundedThumbnail(const QImage &picture, const QSize &size, qreal radius);

// The size an icon of a picture takes in a view whose icon size is box: scaled down to
// fit with its aspect ratio kept, never enlarged (how QIcon shows a pixmap).
[[nodiscard]] QSize shownSize(const QSize &picture, const QSize &box);

// The file's picture exactly as an icon made from it whole shows it in a view with icon
// size box: rounded at its own size with the radius (0: square corners), then scaled to
// shownSize. A file that cannot be read as a picture gives a null image.
[[nodiscard]] QImage thumbnail(const QString &path, const QSize &box, qreal radius);

} // namespace PictureListing
