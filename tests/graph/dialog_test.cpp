// The Graph Settings dialog: what Apply, OK and Cancel store, its bounds; and the language.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

#include "ColorButton.h"
#include "GraphDlg.h"
#include "Translations.h"

namespace {

struct DialogFixture : testing::Test {
    GraphSettings settings;
    int catSize = 1;
    int refreshes = 0;
    CGraphDlg dialog{settings, GraphProgram::Radview, [this] { ++refreshes; }, nullptr, &catSize};

    void Click(const char* text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QLatin1String(text))
                return QTest::mouseClick(button, Qt::LeftButton);
        FAIL() << "no button " << text;
    }
    void Type(QLineEdit* edit, const char* text) {
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(text));
    }
};

}  // namespace

TEST_F(DialogFixture, ApplyStoresEveryFieldAndRefreshes) {
    settings.autoScale = false;
    dialog.ShowDialog();
    Type(dialog.XFromEdit(), "400");
    Type(dialog.XToEdit(), " 1000.5 ");
    Type(dialog.YTopEdit(), "2.5e1");
    dialog.GraphColorButton()->SetColor(0x00FF00);
    dialog.TileSizeGroup()->button(3)->click();
    EXPECT_EQ(refreshes, 0);
    Click("Apply");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(settings.left, 400);
    EXPECT_EQ(settings.right, 1000.5);
    EXPECT_EQ(settings.top, 25);
    EXPECT_EQ(settings.color0, 0x00FF00);
    EXPECT_EQ(catSize, 3);
    EXPECT_TRUE(dialog.isVisible());
    Click("OK");
    EXPECT_EQ(refreshes, 2);
    EXPECT_FALSE(dialog.isVisible());
    // The tile sizes are Radview's only.
    EXPECT_EQ(CGraphDlg(settings, GraphProgram::Radlog, {}).TileSizeGroup(), nullptr);
}

TEST_F(DialogFixture, CancelDropsUnappliedChangesUntilTheNextShow) {
    dialog.ShowDialog();
    dialog.FrameColorButton()->SetColor(0x123456);
    Type(dialog.XFromEdit(), "999");
    Click("Cancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(settings.color1, GraphSettings{}.color1);
    EXPECT_EQ(settings.left, GraphSettings{}.left);
    dialog.ShowDialog();
    EXPECT_EQ(dialog.FrameColorButton()->GetColor(), GraphSettings{}.color1);
    EXPECT_EQ(dialog.XFromEdit()->text(), QStringLiteral("300"));
}

TEST_F(DialogFixture, AutoScaleAndGridApplyAtOnce) {
    dialog.ShowDialog();
    EXPECT_FALSE(dialog.YTopEdit()->isEnabled());  // auto scale on by default
    Type(dialog.XToEdit(), "1500");
    dialog.AutoScaleBox()->click();
    EXPECT_EQ(refreshes, 1);
    EXPECT_FALSE(settings.autoScale);
    EXPECT_EQ(settings.right, 1500);  // the other fields are read with it
    EXPECT_TRUE(dialog.YTopEdit()->isEnabled());
    dialog.GridBox()->click();
    EXPECT_EQ(refreshes, 2);
    EXPECT_FALSE(settings.grid);
}

// The X axis takes an increasing range in 0..100000 nm; the Y top (an irradiance) any number. A
// refused number stops the reading: what was read before it is applied (never as a reversed
// pair), the rest stays as it was, and the dialog stays open.
TEST_F(DialogFixture, XAxisIsBoundedAndARefusedNumberStopsTheReading) {
    const struct {
        const char *from, *to, *message;  // message empty: applied
        double left;                      // stored afterwards
    } cases[] = {
        {"350", "12abc", "Please enter a number.", 350},
        {"1900", "abc", "Please enter a number.", 350},  // not after the stored 1800
        {"300", "2147483647", "Please enter a number between 0 and 100000.", 300},
        {"-0.5", "800", "Please enter a number between 0 and 100000.", 300},
        {"300", "inf", "Please enter a number between 0 and 100000.", 300},
        {"900", "400", "Please enter a number above 900 and at most 100000.", 300},
        {"500.5", "500.5", "Please enter a number above 500.5 and at most 100000.", 300},
        {"0", "100000", "", 0},
    };
    settings.autoScale = false;  // the Y top edit in use
    for (const auto& c : cases) {
        dialog.ShowDialog();
        Type(dialog.XFromEdit(), c.from);
        Type(dialog.XToEdit(), c.to);
        Type(dialog.YTopEdit(), "250000");
        dialog.TileSizeGroup()->button(0)->click();
        Click("OK");
        const auto boxes = dialog.findChildren<QMessageBox*>();
        EXPECT_EQ(dialog.isVisible(), *c.message != 0) << c.to;
        EXPECT_EQ(settings.left, c.left) << c.to;
        EXPECT_EQ(catSize, *c.message ? 1 : 0) << c.to;
        if (*c.message) {
            ASSERT_EQ(boxes.size(), 1u) << c.to;
            EXPECT_EQ(boxes.front()->text(), QLatin1String(c.message));
            delete boxes.front();
            EXPECT_EQ(settings.right, GraphSettings{}.right);
            EXPECT_EQ(settings.top, GraphSettings{}.top);
        } else {
            EXPECT_TRUE(boxes.isEmpty());
            EXPECT_EQ(settings.right, 100000);
            EXPECT_EQ(settings.top, 250000);
        }
    }
}

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
