// The day view of a 1440-record day file draws within 20 ms: the page with its curve, and the
// colour map once built; and the series built once before the first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <clocale>

#include "ChildFrame.h"
#include "DayView.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"

namespace {

constexpr int kDayRecords = 1440;

void DrawDay(benchmark::State& state, bool map) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20240601.RSD"));
    CRsdData set;
    rad::MakeSyntheticDay(set, kDayRecords, {kQS100, kQS300}, 1717200000, 60);
    if (!set.Save(path.toStdString())) state.SkipWithError("cannot write the day file");
    rad::ProfileLocation location;
    location.profilePath = dir.filePath(QStringLiteral("radview.ini")).toStdString();
    CRadviewApp app(location);
    app.LoadSettings();
    CChildFrame frame(app);
    if (!frame.OpenDocument(path)) state.SkipWithError("cannot open the day file");
    frame.SwitchView(2);
    CDayView* view = frame.DayView();
    view->SetMapShown(map);
    const rad::PageDrawer draw = view->Drawer();
    QImage image(QSize(800, 600), QImage::Format_RGB32);
    {
        QPainter first(&image);
        draw(first, image.size());  // the series and the map are built here
    }
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter, image.size());
    }
    state.counters["records"] = kDayRecords;
}

void BM_DrawDayView(benchmark::State& state) { DrawDay(state, false); }
void BM_DrawDayColourMap(benchmark::State& state) { DrawDay(state, true); }
// What the first paint after opening adds once: every record's quantities and the days.
void BM_BuildDaySeries(benchmark::State& state) {
    CRsdData set;
    rad::MakeSyntheticDay(set, kDayRecords, {kQS100, kQS300}, 1717200000, 60);
    for (auto _ : state) benchmark::DoNotOptimize(BuildDaySeries(set, 0));
}

BENCHMARK(BM_DrawDayView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawDayColourMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildDaySeries)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
