// radview DAY.RSD end to end, in a process of its own each time: from the main window's first
// exposure (its map) to the end of the first paint of the catalog, which draws every tile in
// view, with the program's own start-up (application, fonts, translations, profile) before
// it. The phases each child reports show where the time goes; "filled" is when the pictures
// of the whole day are drawn, for scrolling.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <cstdio>
#include <map>

#include "CatView.h"
#include "ChildFrame.h"
#include "GuardedApplication.h"
#include "KeepFreedMemory.h"
#include "LocalTime.h"
#include "MainFrame.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"
#include "Translations.h"

namespace {

constexpr int kDayRecords = 1440;
const char* const kChild = "--child";

// Notes the times of the window's first exposure and of the end of each paint of a watched
// widget, in milliseconds since the process's clock started.
class CPhaseWatch : public QObject {
  public:
    explicit CPhaseWatch(const QElapsedTimer& clock) : m_clock(clock) {}
    double Now() const { return m_clock.nsecsElapsed() * 1e-6; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && mapped < 0) mapped = Now();
        if (event->type() == QEvent::Paint && !m_bInside && watched == viewport) {
            // Painted through the filter, so the time is taken when the paint is done.
            m_bInside = true;
            QCoreApplication::sendEvent(watched, event);
            m_bInside = false;
            lastPaint = Now();
            if (firstPaint < 0) firstPaint = lastPaint;
            ++paints;
            return true;
        }
        return false;
    }

    double mapped = -1;
    double firstPaint = -1;
    double lastPaint = -1;
    int paints = 0;
    QObject* viewport = nullptr;

  private:
    const QElapsedTimer& m_clock;
    bool m_bInside = false;
};

// The child: radview's main() with the clock running, then the phases on stdout.
int RunChild(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const QString path = QString::fromLocal8Bit(argv[2]);
    const std::string profile = argv[3];
    CGuardedApplication qapp(argc, argv);
    setlocale(LC_NUMERIC, "C");
    rad::InitTimeZone();
    rad::KeepFreedMemory();
    const double application = clock.nsecsElapsed() * 1e-6;
    rad::InstallTranslations(qapp, {QStringLiteral("radgraph"), QStringLiteral("radview")});
    rad::ProfileLocation location;
    location.profilePath = profile;
    CRadviewApp app(location);
    app.LoadSettings();
    const double settings = clock.nsecsElapsed() * 1e-6;
    CMainFrame frame(app);
    frame.resize(1000, 720);
    CPhaseWatch watch(clock);
    frame.winId();
    frame.windowHandle()->installEventFilter(&watch);
    frame.show();
    const double shown = watch.Now();
    frame.OpenFilesWhenShown({path});
    double opened = -1;
    double filled = -1;
    // Done once the catalog was painted and holds the last record's tile.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CChildFrame* child = frame.ActiveChild();
        if (!child) return;
        if (!watch.viewport) {
            opened = watch.Now();
            watch.viewport = child->CatView()->viewport();
            watch.viewport->installEventFilter(&watch);
        }
        if (filled < 0 && child->CatView()->TileOf(child->Doc().Data().GetAt(kDayRecords - 1)))
            filled = watch.Now();
        if (watch.paints > 0 && filled >= 0) QCoreApplication::quit();
    });
    poll.start(0);
    QApplication::exec();
    std::printf(
        "application %.3f\nsettings %.3f\nshown %.3f\nmapped %.3f\nopened %.3f\n"
        "painted %.3f\nfilled %.3f\npaints %d\n",
        application, settings, shown, watch.mapped, opened, watch.firstPaint, filled, watch.paints);
    return 0;
}

std::map<std::string, double> Phases(const QByteArray& output) {
    std::map<std::string, double> phases;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 2) phases[words[0].toStdString()] = words[1].toDouble();
    }
    return phases;
}

void BM_CommandLineDayFileEndToEnd(benchmark::State& state, const char* self) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20240601.RSD"));
    CRsdData set;
    rad::MakeSyntheticDay(set, kDayRecords, {kQS100, kQS300}, 1717200000, 60);
    if (!set.Save(path.toStdString())) state.SkipWithError("cannot write the day file");
    const QString profile = dir.filePath(QStringLiteral("radview.ini"));
    std::map<std::string, double> sums;
    for (auto _ : state) {
        QProcess child;
        child.start(QString::fromLocal8Bit(self), {QString::fromLatin1(kChild), path, profile});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            state.SkipWithError("the child did not finish");
            break;
        }
        const auto phases = Phases(child.readAllStandardOutput());
        if (!phases.count("painted") || phases.at("painted") < 0) {
            state.SkipWithError("no paint of the catalog");
            break;
        }
        state.SetIterationTime((phases.at("painted") - phases.at("mapped")) * 1e-3);
        for (const auto& [name, ms] : phases) sums[name] += ms;
    }
    const double n = std::max<double>(1, static_cast<double>(state.iterations()));
    // From the start of main(): where each phase ended, on average.
    for (const auto& [name, total] : sums) state.counters[name] = total / n;
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless told otherwise (QT_QPA_PLATFORM=xcb under xvfb-run shows the X server's
    // share); the children inherit it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 4 && std::string(argv[1]) == kChild) return RunChild(argc, argv);
    benchmark::RegisterBenchmark("BM_CommandLineDayFileEndToEnd", BM_CommandLineDayFileEndToEnd,
                                 argv[0])
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
