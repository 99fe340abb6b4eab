// What publishing adds to a store step: the record message of the last record of a full day
// (quantities, DLI so far, JSON) handed to the publisher. The broker address refuses, so the
// message waits in the queue as in an outage; the network is never on this thread anyway.
#include <benchmark/benchmark.h>

#include "LightSeries.h"
#include "LocalTime.h"
#include "Resample.h"
#include "RsdData.h"
#include "StationTelemetry.h"
#include "StoredRecord.h"
#include "SyntheticData.h"

namespace {

void PublishRecord(benchmark::State& state) {
    rad::InitTimeZone();
    const int64_t first = rad::LocalFieldsToTime(2024, 7, 1, 0, 0, 0).value();
    CRsdData day;
    rad::MakeSyntheticDay(day, 1440, {kQS200, kQS300}, first, 60);
    MqttSettings mqtt;
    mqtt.present = true;
    mqtt.host = "127.0.0.1";
    mqtt.port = 1;  // nothing listens there
    mqtt.station = "bench";
    mqtt.spectrum = state.range(0) != 0;
    RadlogSettings settings;
    settings.use[kQS200] = settings.use[kQS300] = true;
    CStationTelemetry telemetry(mqtt, "", settings, 0, {});
    CResample spectrum;
    spectrum.Resample(day, day.GetCount() - 1);
    const rad::SeriesRow row = rad::SeriesRowOf(day, day.GetCount() - 1, spectrum);
    const StoredRecord stored{day, spectrum, row};
    telemetry.RecordStored(stored, true);  // the day's earlier records are taken in once
    for (auto _ : state) telemetry.RecordStored(stored, true);
}
BENCHMARK(PublishRecord)->Arg(0)->Arg(1)->ArgName("spectrum")->Unit(benchmark::kMillisecond);

}  // namespace
