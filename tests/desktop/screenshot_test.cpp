// Screenshots of the main window after one cycle from simulated sensors, for people to look at:
// one PNG per language (LANG decides), in the folder RADLOG_SCREENSHOT_DIR.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "DesktopTestSupport.h"
#include "MainFrame.h"
#include "QsSim.h"
#include "RadlogApp.h"
#include "RadlogDoc.h"
#include "RadlogView.h"
#include "Translations.h"

namespace {

// Pixels of the curve colour inside the image.
int CountCurvePixels(const QImage& image, QRgb curve) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (curve & 0xFFFFFF)) ++count;
    return count;
}

TEST(Screenshot, MainWindowAfterADemoCycle) {
    QsSimOptions options;
    options.exposureScale = 0.05;  // the exposures of a demo, not of the sun
    CQsSim sim(options);
    const std::vector<std::string> devices = sim.Start({kQS100, kQS300});
    ASSERT_EQ(devices.size(), 2u);

    QTemporaryDir dir;
    RadlogSettings settings;
    settings.rsdFolder = dir.path().toStdString() + "/";
    settings.csvFolder = settings.rsdFolder;
    settings.use = {true, false, true, false};
    settings.comPort = {1, 0, 2, 0};
    settings.ports = {{1, devices[0]}, {2, devices[1]}};
    CSystemClock clock;
    CRadlogApp app(settings, {}, clock);
    app.Start();
    app.Frame()->resize(1024, 768);
    app.Frame()->Action(Cmd::ManualMeasurement)->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.Doc()->StoredCycles() == 1 && !app.Doc()->IsRunning(); }, 30000));
    ASSERT_TRUE(app.Doc()->LastStoreComplete());
    QCoreApplication::processEvents();

    const QImage view = app.View()->grab().toImage();
    const int curve = CountCurvePixels(view, rad::ToQColor(settings.graph.color0).rgb());
    EXPECT_GT(curve, 200) << "no spectrum was drawn";

    const QString folder = qEnvironmentVariable("RADLOG_SCREENSHOT_DIR", QDir::currentPath());
    QDir().mkpath(folder);
    const QString language = rad::UseJapaneseTexts(QLocale::system()) ? "ja" : "en";
    const QString path = folder + "/radlog_" + language + ".png";
    EXPECT_TRUE(app.Frame()->grab().save(path)) << path.toStdString();
    const QString toolbar = folder + "/radlog_toolbar_" + language + ".png";
    EXPECT_TRUE(app.Frame()->ToolBar()->grab().save(toolbar)) << toolbar.toStdString();
}

}  // namespace
