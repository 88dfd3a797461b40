#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The alarm history on disk: under the alarm-history folder one folder per alarm, named
// by the local time of writing "yyyyMMddhhmmss", holding seven JPEG frames and a one-line
// UTF-8 record "max,threshold,emissivity" in <name>/<name>.ini.
namespace AlarmHistory {

// File names of the seven frames, oldest first; the fourth is the alarm frame.
[[nodiscard]] const QStringList &pictureNames();

// A folder name the history lists: begins with "20" and has at least 14 characters.
[[nodiscard]] bool isAlarmFolderName(const QString &name);

// The listed alarm folders directly inside root, by name ignoring case (oldest first).
[[nodiscard]] QStringList alarmFolders(const QString &root);

// The name for an alarm written at `now`: the 14-digit stamp, or, when a folder of that
// name exists already (a second alarm within the same second), the stamp followed by
// "_2", "_3", ... so the earlier alarm is kept. Every such name is still listed.
[[nodiscard]] QString newFolderName(const QString &root, const QDateTime &now);

// Writes one alarm folder from exactly seven frames and returns its name; nullopt when
// the frames are not seven, root does not exist, or the record cannot be written.
// Pictures that cannot be saved are skipped. The record replaces any older content.
[[nodiscard]] std::optional<QString> writeAlarmFolder(const QString &root,
                                                      const QList<QImage> &frames,
                                                      const QString &record,
                                                      const QDateTime &now);

// Every line of a record file, in order; empty when the file cannot be read.
[[nodiscard]] QStringList recordLines(const QString &path);

// The three readings shown for a record's last line; a reading the line lacks (or a
// missing record) shows as "--" so that no value of another alarm stays on screen.
[[nodiscard]] QStringList readingsOf(const QStringList &lines);

// Picture files of an alarm folder ("*.png", "*.jpg", "*.bmp" in any case), by name in
// character code order, so "Alarm.JPG" comes first and lower-case names last.
[[nodiscard]] QStringList pictureFiles(const QString &folder);

} // namespace AlarmHistory
