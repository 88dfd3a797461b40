#pragma once

#include "analysis/radiometricfile.h"
#include "automation/commandline.h"
#include "inspection/analysisrecord.h"

#include <QByteArray>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QJsonValue>
#include <QString>

#include <memory>
#include <optional>

class AnalysisStore;

// The commands on picture files: info, export and report. They read each picture with the
// model the browser would settle and write what the analysis window writes for it.
namespace PictureCommands {

[[nodiscard]] CommandLine::Command infoCommand();
[[nodiscard]] CommandLine::Command exportCommand();
[[nodiscard]] CommandLine::Command reportCommand();

// A --model value: 0 for "VX305", 1 for "VX300" (any case), -1 for anything else.
[[nodiscard]] int modelFromName(const QString &name);
// A --unit value: 0 for "C" or "°C", 1 for "F" or "°F" (any case), -1 for anything else.
[[nodiscard]] int unitFromName(const QString &name);

// The model a folder settles for the pictures right in it, as when it is opened by hand: named
// "DCIM_100" or "Images"; -1 when it settles none (also when it holds such a folder, whose
// pictures are the ones it would list).
[[nodiscard]] int folderModel(const QString &folder);

struct Picture
{
    QString path; // as given
    QFileInfo info;
    QByteArray bytes; // what was read, at most Radiometric::MaxFileSize
    Radiometric::RadiometricPicture decoded;
};

// Reads pictures, each with the model asked for, else the one its folder settles, else the
// first layout that reads it (the VX305's, then the VX300's). A folder is looked at once.
class PictureReader
{
public:
    explicit PictureReader(int model = -1);
    ~PictureReader();
    PictureReader(const PictureReader &) = delete;
    PictureReader &operator=(const PictureReader &) = delete;

    // nullopt with a one-line reason in *error (no path in it).
    [[nodiscard]] std::optional<Picture> read(const QString &path, QString *error);

    // The analysis the user keeps of the picture, if any. The user's store is opened at the
    // first call, and only when it exists; a picture is hashed only while the store holds any.
    [[nodiscard]] std::optional<AnalysisRecord> analysisOf(const Picture &picture);

private:
    int m_model;
    QHash<QString, int> m_folderModels;
    bool m_storeTried = false;
    std::unique_ptr<AnalysisStore> m_store;
    QSet<QByteArray> m_analysed;
};

// The unit the analysis window shows a picture in once its unit box is at index (0 "°C",
// 1 "°F"; -1 leaves the box at the file's own choice), and the conversion pair it uses then.
struct ShownUnit
{
    Radiometric::UnitPair pair;
    int index = 0;
    [[nodiscard]] QString text() const;
};
[[nodiscard]] ShownUnit shownUnit(const Radiometric::RadiometricPicture &picture, int index);

// A kept finding's fields, the typed reference in the unit shown; null without one.
[[nodiscard]] QJsonValue findingFor(const std::optional<AnalysisRecord> &analysis,
                                    const ShownUnit &unit);

// The info command's line for a picture: file, model, bytes, time (ISO 8601 with its offset),
// emissivity, unit, max, min, centre, average (as the information table shows them), finding.
[[nodiscard]] QByteArray infoLine(const Picture &picture, const ShownUnit &unit,
                                  const std::optional<AnalysisRecord> &analysis = std::nullopt);
// {"file": path, "error": reason}
[[nodiscard]] QByteArray errorLine(const QString &path, const QString &error);

// "<folder>/<name without its last suffix>.<suffix>"; folder empty: the picture's own.
[[nodiscard]] QString outputPath(
    const QString &picturePath, const QString &folder, const QString &suffix);

} // namespace PictureCommands
