#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace rad {

// The Japanese texts are used exactly when the system's locale is Japanese.
bool UseJapaneseTexts(const QLocale& locale);

// Installs a translator for each catalogue base name (":/i18n/<name>_ja.qm", embedded by
// rad_add_translations) and Qt's own texts (qtbase_ja.qm from Qt's translations folder: the
// standard buttons, file, print and colour dialogs) when the locale asks for Japanese; returns
// how many loaded.
int InstallTranslations(QCoreApplication& app, const QStringList& catalogues,
                        const QLocale& locale = QLocale::system());

}  // namespace rad
