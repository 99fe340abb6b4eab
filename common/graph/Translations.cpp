#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace rad {

bool UseJapaneseTexts(const QLocale& locale) { return locale.language() == QLocale::Japanese; }

namespace {

bool Install(QCoreApplication& app, const QString& file, const QString& folder = {}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

}  // namespace

int InstallTranslations(QCoreApplication& app, const QStringList& catalogues,
                        const QLocale& locale) {
    if (!UseJapaneseTexts(locale)) return 0;
    int loaded = 0;
    // Without Qt's catalogue its dialogs and button texts would stay English.
    if (Install(app, QStringLiteral("qtbase_ja"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        ++loaded;
    for (const QString& name : catalogues) {
        if (Install(app, QStringLiteral(":/i18n/%1_ja.qm").arg(name))) ++loaded;
    }
    return loaded;
}

}  // namespace rad
