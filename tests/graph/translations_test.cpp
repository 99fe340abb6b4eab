#include "Translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

TEST(Translations, JapaneseExactlyForAJapaneseLocale) {
    const std::pair<const char*, bool> cases[] = {{"ja_JP", true},  {"ja", true},
                                                  {"en_US", false}, {"C", false},
                                                  {"zh_CN", false}, {"ko_KR", false}};
    for (const auto& [name, japanese] : cases)
        EXPECT_EQ(rad::UseJapaneseTexts(QLocale(QLatin1String(name))), japanese) << name;
}

// The catalogue is compiled and embedded, and Qt's own texts (standard buttons, file and print
// dialogs) follow the program's language.
TEST(Translations, QtOwnTextsAreJapaneseWithThePrograms) {
    QCoreApplication& app = *QCoreApplication::instance();
    EXPECT_EQ(rad::InstallTranslations(app, {"radgraph"}, QLocale(QLatin1String("en_US"))), 0);
    ASSERT_EQ(rad::InstallTranslations(app, {"radgraph"}, QLocale(QLatin1String("ja_JP"))), 2);
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("CGraphDlg", "Graph Settings"),
              QStringLiteral("グラフ設定"));
    EXPECT_EQ(QCoreApplication::translate("GraphClipboard", "Clipboard Error"),
              QStringLiteral("クリップボード転送に失敗しました"));
    for (QTranslator* translator : app.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QDialogButtonBox english(QDialogButtonBox::Cancel);
    EXPECT_EQ(english.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}
