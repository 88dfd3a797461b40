#pragma once

#include <QString>
#include <QVariant>

// The user's settings that are not part of the configuration record, kept with QSettings in
// "settings.ini" beside it in the per-user folder. The file's place follows the per-user folder
// on every call, as the record's does.
namespace Preferences {

[[nodiscard]] QString filePath();

[[nodiscard]] QVariant value(const QString &key, const QVariant &fallback = QVariant());
void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

// Whether analyses are restored when a picture opens and kept as they change; on by default.
[[nodiscard]] bool rememberAnalyses();
void setRememberAnalyses(bool on);

} // namespace Preferences
