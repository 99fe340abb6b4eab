// A full page of a merged spectrum on a 1024 x 768 picture (target: 5 ms), and a catalog of
// 1440 tiles of 80 x 60, each resampled and drawn (target: 300 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <clocale>

#include "GraphPage.h"
#include "GraphTile.h"
#include "LocalTime.h"
#include "Resample.h"
#include "SyntheticData.h"

namespace {

int64_t Noon() { return *rad::LocalFieldsToTime(2024, 5, 1, 12, 0, 0); }

void BM_MergedPage(benchmark::State& state) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS200, kQS300}, Noon(), 600);
    CResample spectrum;
    spectrum.Resample(set, 0);
    GraphPage page;
    page.program = GraphProgram::Radview;
    page.area = QSize(1024, 768);
    page.spectra = {&spectrum};
    page.data = &set;
    page.pixelRecords = {0};
    page.disp = static_cast<int>(state.range(0));
    page.statusText =
        "--- QS-200 ---\nExposure time : 915ms\n--- QS-300 ---\nExposure time : 915ms\n";
    page.dateText = "2024/05/01  12:00:00";
    page.integralText = "Integral : 512.3W/m2(300 - 1800nm)";
    page.title = "ARVEN SOLIS";
    QImage image(page.area, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CGraph graph;
        rad::DrawGraphPage(painter, graph, page);
    }
}
BENCHMARK(BM_MergedPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Catalog1440Tiles(benchmark::State& state) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 1440, {kQS200, kQS300}, Noon() - 12 * 3600, 60);
    const GraphSettings settings;
    for (auto _ : state) {
        for (int i = 0; i < set.GetCount(); ++i) {
            CResample spectrum;
            spectrum.Resample(set, i);
            benchmark::DoNotOptimize(
                rad::RenderCatalogTile(QSize(80, 60), spectrum, settings, set.GetAt(i).m_time));
        }
    }
}
BENCHMARK(BM_Catalog1440Tiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
