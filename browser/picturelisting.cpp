#include "browser/picturelisting.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

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

QList<QImage> loadPictures(const QStringList &paths, const Progress &progress)
{
    const int count = paths.size();
    std::vector<QImage> images(static_cast<std::size_t>(count));
    std::atomic<int> next { 0 };
    std::atomic<int> done { 0 };
    const auto load = [&](int i) {
        images[std::size_t(i)] = QImage(paths.at(i));
        ++done;
    };

    // Decoding dominates a listing; the helpers share it with the calling thread.
    const int helpers = qBound(0, QThread::idealThreadCount() - 1, count - 1);
    std::vector<std::thread> threads;
    threads.reserve(std::size_t(helpers));
    for (int t = 0; t < helpers; ++t) {
        threads.emplace_back([&] {
            for (int i = next++; i < count; i = next++)
                load(i);
        });
    }
    if (progress)
        progress(0, count);
    for (int i = next++; i < count; i = next++) {
        load(i);
        if (progress)
            progress(done.load(), count);
    }
    for (std::thread &thread : threads)
        thread.join();
    if (progress)
        progress(count, count);

    QList<QImage> result;
    result.reserve(count);
    for (QImage &image : images)
        result.append(std::move(image));
    return result;
}

Listing listFolder(const QString &folder, const Progress &progress)
{
    const QFileInfoList entries = pictureEntries(folder);
    Listing listing;
    QStringList paths;
    for (const QFileInfo &entry : entries) {
        listing.names << entry.fileName();
        listing.times << timeText(creationTime(entry));
        listing.sizes << sizeText(entry.size());
        paths << folder + QLatin1Char('/') + entry.fileName();
    }
    const QList<QImage> images = loadPictures(paths, progress);
    listing.pictures.reserve(images.size());
    for (const QImage &image : images)
        listing.pictures.append(QPixmap::fromImage(image));
    return listing;
}

QPixmap roundedThumbnail(const QPixmap &picture, const QSize &size, qreal radius)
{
    if (picture.isNull())
        return picture;
    const QPixmap scaled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap thumbnail(size);
    thumbnail.fill(Qt::transparent);
    QPainter painter(&thumbnail);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(0, 0, size.width(), size.height(), radius, radius, Qt::AbsoluteSize);
    painter.setClipPath(clip);
    painter.drawPixmap(0, 0, scaled);
    return thumbnail;
}

} // namespace PictureListing
