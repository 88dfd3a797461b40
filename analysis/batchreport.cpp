#include "analysis/batchreport.h"

#include "analysis/analysis_widget.h"
#include "analysis/report.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace BatchReport {

QString reportName(const QString &pictureName)
{
    return QFileInfo(pictureName).completeBaseName() + QStringLiteral(".pdf");
}

QStringList existingReports(const QStringList &picturePaths, const QString &folder)
{
    QStringList existing;
    for (const QString &path : picturePaths) {
        const QString name = QFileInfo(path).fileName();
        if (QFileInfo::exists(QDir(folder).filePath(reportName(name))))
            existing << name;
    }
    return existing;
}

Outcome writeReports(const QStringList &picturePaths, int model, const QString &folder,
                     bool skipExisting, const Progress &progress)
{
    Outcome outcome;
    const int total = picturePaths.size();
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            outcome.cancelled = true;
            return outcome;
        }
        const QString name = QFileInfo(picturePaths.at(i)).fileName();
        const QString target = QDir(folder).filePath(reportName(name));
        if (skipExisting && QFileInfo::exists(target))
            continue;
        // The window the user would see, never shown: the report reads what it displays.
        const auto window = std::make_unique<Analysis_Widget>();
        if (!window->set_Image_addr(picturePaths.at(i), model)) {
            outcome.failed << name;
            continue;
        }
        window->colorize();
        if (Report::write(window.get(), target))
            outcome.written << target;
        else
            outcome.failed << name;
    }
    if (progress)
        progress(total, total);
    return outcome;
}

} // namespace BatchReport
