#include "Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace rad {

bool UseJapaneseTexts(const QLocale& locale) { return locale.language() == QLocale::Japanese; }

int InstallTranslations(QCoreApplication& app, const QStringList& catalogues) {
    if (!UseJapaneseTexts(QLocale::system())) return 0;
    int loaded = 0;
    for (const QString& name : catalogues) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QStringLiteral(":/i18n/%1_ja.qm").arg(name)) &&
            QCoreApplication::installTranslator(translator)) {
            ++loaded;
        } else {
            delete translator;
        }
    }
    return loaded;
}

}  // namespace rad
