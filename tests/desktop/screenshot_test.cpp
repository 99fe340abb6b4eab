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
#include "QsSim.h"
#include "RadlogApp.h"
#include "RadlogDoc.h"
#include "RadlogMainFrame.h"
#include "RadlogView.h"
#include "Translations.h"

namespace {

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
        [&] { return app.Doc()->State().storedCycles == 1 && !app.Doc()->IsRunning(); }, 30000));
    ASSERT_TRUE(app.Doc()->State().lastStoreComplete);
    QCoreApplication::processEvents();

    // Pixels of the curve colour in the view.
    const QImage view = app.View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(view.constBits());
    EXPECT_GT(std::count(pixels, pixels + view.sizeInBytes() / 4,
                         rad::ToQColor(settings.graph.color0).rgb()),
              200)
        << "no spectrum was drawn";

    const QString folder = qEnvironmentVariable("RADLOG_SCREENSHOT_DIR", QDir::currentPath());
    QDir().mkpath(folder);
    const QString language = rad::UseJapaneseTexts(QLocale::system()) ? "ja" : "en";
    const QString path = folder + "/radlog_" + language + ".png";
    EXPECT_TRUE(app.Frame()->grab().save(path)) << path.toStdString();
    const QString toolbar = folder + "/radlog_toolbar_" + language + ".png";
    EXPECT_TRUE(app.Frame()->ToolBar()->grab().save(toolbar)) << toolbar.toStdString();
}

}  // namespace
