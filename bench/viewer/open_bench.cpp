// A day file of 1440 one-minute records opens with the tiles in view in at most 300 ms, also
// when it is given on the command line: measured from the main window showing to the tiles
// painted. The rest of the day's pictures follow from the event loop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <clocale>

#include "CatView.h"
#include "ChildFrame.h"
#include "MainFrame.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"

namespace {

constexpr int kDayRecords = 1440;

// A day file and a fresh profile in a folder of their own.
struct DayFile {
    explicit DayFile(benchmark::State& state)
        : path(dir.filePath(QStringLiteral("20240601.RSD"))), app(Location(dir)) {
        CRsdData set;
        rad::MakeSyntheticDay(set, kDayRecords, {kQS100, kQS300}, 1717200000, 60);
        if (!set.Save(path.toStdString())) state.SkipWithError("cannot write the day file");
        app.LoadSettings();
    }
    static rad::ProfileLocation Location(const QTemporaryDir& folder) {
        rad::ProfileLocation location;
        location.profilePath = folder.filePath(QStringLiteral("radview.ini")).toStdString();
        return location;
    }

    QTemporaryDir dir;
    QString path;
    CRadviewApp app;
};

void BM_OpenDayFileWithTiles(benchmark::State& state) {
    DayFile day(state);
    const QString& path = day.path;
    CRadviewApp& app = day.app;
    for (auto _ : state) {
        CChildFrame frame(app);
        frame.resize(800, 600);
        if (!frame.OpenDocument(path)) {
            state.SkipWithError("cannot open the day file");
            break;
        }
        // Every picture of the day, those drawn from the event loop too.
        while (!frame.CatView()->TileOf(frame.Doc().Data().GetAt(kDayRecords - 1)))
            QCoreApplication::processEvents();
    }
    state.counters["records"] = kDayRecords;
}
BENCHMARK(BM_OpenDayFileWithTiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// radview 20240601.RSD: the window shows at once, then the file opens from the event loop.
void BM_CommandLineDayFileAfterShow(benchmark::State& state) {
    DayFile day(state);
    const QString& path = day.path;
    CRadviewApp& app = day.app;
    for (auto _ : state) {
        CMainFrame frame(app);
        frame.resize(1000, 720);
        QElapsedTimer shown;
        frame.show();
        shown.start();
        frame.OpenFilesWhenShown({path});
        CChildFrame* child = nullptr;
        while (!(child = frame.ActiveChild()))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        child->CatView()->viewport()->repaint();
        state.SetIterationTime(std::chrono::duration<double>(shown.nsecsElapsed() * 1e-9).count());
        if (!child->CatView()->TileOf(child->Doc().Data().GetAt(0)))
            state.SkipWithError("tiles missing");
    }
    state.counters["records"] = kDayRecords;
}
BENCHMARK(BM_CommandLineDayFileAfterShow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
