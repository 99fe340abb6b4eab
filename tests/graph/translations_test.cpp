#include "Translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

TEST(Translations, JapaneseExactlyForAJapaneseLocale) {
    struct Case {
        const char* name;
        bool japanese;
    };
    const Case cases[] = {{"ja_JP", true}, {"ja", true},     {"en_US", false},
                          {"C", false},    {"zh_CN", false}, {"ko_KR", false}};
    for (const Case& c : cases)
        EXPECT_EQ(rad::UseJapaneseTexts(QLocale(QLatin1String(c.name))), c.japanese) << c.name;
}

TEST(Translations, CatalogueIsCompiledAndEmbedded) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/radgraph_ja.qm")));
    EXPECT_EQ(translator.translate("CGraphDlg", "Graph Settings"), QStringLiteral("グラフ設定"));
    EXPECT_EQ(translator.translate("CGraphDlg", "Cancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(translator.translate("GraphClipboard", "Clipboard Error"),
              QStringLiteral("クリップボード転送に失敗しました"));
}
