// GoogleTest on a QApplication: the widgets need one, and the core needs the "C" numbers.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "Translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setlocale(LC_NUMERIC, "C");
    // A Japanese environment (LANG=ja_JP.UTF-8) runs the same cases on the translated texts.
    rad::InstallTranslations(app, {"radgraph", "radlog"});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
