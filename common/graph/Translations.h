#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace rad {

// The Japanese texts are used exactly when the system's locale is Japanese.
bool UseJapaneseTexts(const QLocale& locale);

// Installs a translator for each catalogue base name (":/i18n/<name>_ja.qm", embedded by
// rad_add_translations) when the system locale asks for Japanese; returns how many loaded.
int InstallTranslations(QCoreApplication& app, const QStringList& catalogues);

}  // namespace rad
