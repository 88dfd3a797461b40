#pragma once

#include <QString>

class QTranslator;

// Initialises the resources compiled into the core library (a static library's
// resources are otherwise dropped by the linker).
void initVx305Resources();

// First-run preparation: writes the default record "000,EN,<per-user folder>" when the
// configuration file does not exist yet; writes nothing otherwise.
void prepareConfiguration();

// Resource path of the interface translation for a language code: "RU" Russian,
// "KO" Korean, "CH" none (the Chinese source texts), anything else English.
[[nodiscard]] QString translationForLanguage(const QString &code);

// Loads and installs the translation chosen by the stored language code.
void installTranslation(QTranslator *translator);
