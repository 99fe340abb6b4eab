// A day file of 1440 one-minute records opens with all tiles in at most 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>

#include "CatView.h"
#include "ChildFrame.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"

namespace {

constexpr int kDayRecords = 1440;

void BM_OpenDayFileWithTiles(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20240601.RSD"));
    {
        CRsdData set;
        rad::MakeSyntheticDay(set, kDayRecords, {kQS100, kQS300}, 1717200000, 60);
        if (!set.Save(path.toStdString())) state.SkipWithError("cannot write the day file");
    }
    rad::ProfileLocation location;
    location.profilePath = dir.filePath(QStringLiteral("radview.ini")).toStdString();
    CRadviewApp app(location);
    app.LoadSettings();
    for (auto _ : state) {
        CChildFrame frame(app);
        frame.resize(800, 600);
        if (!frame.OpenDocument(path)) state.SkipWithError("cannot open the day file");
        benchmark::DoNotOptimize(
            frame.CatView()->TileOf(frame.Doc().Data().GetAt(kDayRecords - 1)));
    }
    state.counters["records"] = kDayRecords;
}
BENCHMARK(BM_OpenDayFileWithTiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
