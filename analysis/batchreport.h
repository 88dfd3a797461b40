#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Reports for many pictures at once: one PDF per picture, laid out as the single report of a
// picture opened without tools, named like the picture with ".pdf".
namespace BatchReport {

// "IMG_0001.bmp" gives "IMG_0001.pdf".
[[nodiscard]] QString reportName(const QString &pictureName);

// The pictures whose report already exists in folder (file names, in the given order).
[[nodiscard]] QStringList existingReports(const QStringList &picturePaths, const QString &folder);

struct Outcome
{
    QStringList written;  // report paths
    QStringList failed;   // picture file names that could not be parsed or written
    bool cancelled = false;
};

// Called before each picture and once at the end with the number done; false cancels. Reports
// already written stay.
using Progress = std::function<bool(int done, int total)>;

// Writes the reports of the pictures (full paths) of one model into folder; existing reports
// are replaced, or left alone and not counted when skipExisting is set.
Outcome writeReports(const QStringList &picturePaths, int model, const QString &folder,
                     bool skipExisting, const Progress &progress = {});

} // namespace BatchReport
