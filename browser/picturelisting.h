#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// Listing the imager's pictures of one folder into the photo browser's parallel lists,
// and the thumbnail shape of its icon view. No widgets; pictures need a GUI application.
namespace PictureListing {

// Entry i of each list describes the same file.
struct Listing
{
    QStringList names;
    QStringList times;
    QStringList sizes;
    QList<QPixmap> pictures;
};

// Called on the listing thread with the number of pictures loaded so far and the total.
using Progress = std::function<void(int done, int total)>;

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

// Each file loaded whole as a picture, result i for path i; a file that cannot be read
// as a picture gives a null image. Several threads load at once; progress, when set, is
// called on the calling thread before the first picture, between pictures and once at
// the end.
[[nodiscard]] QList<QImage> loadPictures(const QStringList &paths, const Progress &progress = {});

// The four lists of a folder: names, creation times, sizes and pictures of
// pictureEntries(folder), in that order.
[[nodiscard]] Listing listFolder(const QString &folder, const Progress &progress = {});

// The picture scaled to size (aspect ratio ignored, smooth) and clipped to a rectangle
// with corners of the given radius in pixels, outside transparent. A null picture is
// returned unchanged.
[[nodiscard]] QPixmap roundedThumbnail(const QPixmap &picture, const QSize &size, qreal radius);

} // namespace PictureListing
