#include "NetcdfDay.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>

#include "CalibrationDigest.h"
#include "LightQuantities.h"
#include "QcFlags.h"
#include "RecordSun.h"
#include "Resample.h"
#include "RsdData.h"
#include "SpectralMath.h"
#include "StatusValueNames.h"

namespace {

// The merged spectrum of a record on the grid. On whole nanometres it is the resampled
// spectrum the quantities are computed from, so that one is reused rather than merged again.
void MergedRow(const rad::MergePlan& plan, const CResample& resampled,
               const std::vector<double>& wavelengths, float* row) {
    const std::optional<rad::SensorSpectrum>& low = plan.IsPair() ? plan.shortWave : plan.single;
    const std::optional<rad::SensorSpectrum>& high = plan.IsPair() ? plan.longWave : plan.single;
    for (std::size_t w = 0; w < wavelengths.size(); ++w) {
        const double nm = wavelengths[w];
        if (!(low && high && low->First() <= nm && nm <= high->Last())) {
            row[w] = kArchiveFloatFill;
            continue;
        }
        const double whole = std::nearbyint(nm);
        const bool reuse = plan.IsPair() && whole == nm && resampled.InRange(static_cast<int>(nm));
        row[w] =
            static_cast<float>(reuse ? resampled.GetValue(static_cast<int>(nm)) : plan.ValueAt(nm));
    }
}

// A sensor's own spectrum on the grid. Where the merge rule takes this sensor's value alone
// (below the blend band for the short-wave sensor, above it for the long-wave one, all of a
// single sensor) the merged row already holds it.
void SensorRow(const CRsdData& set, int model, int index, const rad::MergePlan& plan,
               const std::vector<double>& wavelengths, const float* merged, float* row) {
    const auto spectrum = rad::GetSensorSpectrum(set, model, index);
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const auto same = [&spectrum](const std::optional<rad::SensorSpectrum>& other) {
        return other && other->wl == spectrum->wl && other->md == spectrum->md;
    };
    double mergedBelow = -kNone, mergedAbove = kNone;
    if (spectrum && plan.IsPair() && same(plan.shortWave)) mergedBelow = plan.lo;
    if (spectrum && plan.IsPair() && same(plan.longWave)) mergedAbove = plan.hi;
    if (spectrum && !plan.IsPair() && same(plan.single)) mergedBelow = kNone;
    for (std::size_t w = 0; w < wavelengths.size(); ++w) {
        const double nm = wavelengths[w];
        if (!spectrum || !spectrum->InRange(nm))
            row[w] = kArchiveFloatFill;
        else if ((nm < mergedBelow || nm > mergedAbove) && merged[w] != kArchiveFloatFill)
            row[w] = merged[w];
        else
            row[w] = static_cast<float>(spectrum->ValueAt(nm));
    }
}

float ArchiveFloat(double value) {
    return std::isfinite(value) ? static_cast<float>(value) : kArchiveFloatFill;
}

void SensorValues(const CRsdData& set, ArchiveDay& day, const std::vector<int>& order) {
    const std::size_t count = order.size();
    for (int model = 0; model < kModelCount; ++model) {
        ArchiveSensorDay& sensor = day.sensors[static_cast<std::size_t>(model)];
        if (const SensorCal* cal = set.GetCal(model))
            sensor.calibration =
                std::string(kModels[static_cast<std::size_t>(model)].label) + " " + cal->SN;
        for (const int index : order)
            sensor.present = sensor.present || set.GetAt(index).Block(model);
        if (!sensor.present) continue;
        sensor.exposure.assign(count, kArchiveIntFill);
        const std::size_t ints = rad::StatusIntNames(model).size();
        const std::size_t floats = rad::StatusFloatNames(model).size();
        sensor.ints.resize(ints);
        for (std::vector<int>& column : sensor.ints) column.assign(count, kArchiveIntFill);
        sensor.floats.resize(floats);
        for (std::vector<float>& column : sensor.floats) column.assign(count, kArchiveFloatFill);
        sensor.serial.assign(count, {});
        sensor.calibrationDigest.assign(count, {});
        const SensorCal* cal = set.GetCal(model);
        const std::string digest = cal ? rad::CalibrationDigest(*cal) : std::string();
        for (std::size_t r = 0; r < count; ++r) {
            const SensorData* block = set.GetAt(order[r]).Block(model);
            if (!block) continue;
            sensor.serial[r] = std::string(block->SN, strnlen(block->SN, kTextFieldSize));
            sensor.calibrationDigest[r] = digest;
            sensor.exposure[r] = block->ET;
            for (std::size_t i = 0; i < ints; ++i) sensor.ints[i][r] = block->statusInt[i];
            for (std::size_t i = 0; i < floats; ++i) sensor.floats[i][r] = block->statusFloat[i];
        }
    }
}

}  // namespace

PreparedDay ComputeArchiveDay(const CRsdData& set, const std::vector<double>& wavelengths,
                              const std::vector<std::size_t>& quantities, std::size_t first,
                              const rad::ZoneRule& zones) {
    PreparedDay prepared;
    prepared.first = first;
    ArchiveDay& day = prepared.day;
    day.site = set.m_strSite;
    day.latitude = set.m_strLat;
    day.longitude = set.m_strLon;
    day.altitude = set.m_strAlt;
    day.timeZone = set.m_strTZ;
    std::vector<int> order(static_cast<std::size_t>(set.GetCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&set](int a, int b) { return set.GetAt(a).m_time < set.GetAt(b).m_time; });
    const rad::ZoneChoice zone = zones.ChooseFor(set.m_strTZ);
    day.zoneNotice = zone.notice;
    const auto site = rad::SiteOf(set);
    day.hasSite = site.has_value();
    rad::RecordSun sun(site, zone.zone);
    for (const int index : order) day.times.push_back(set.GetAt(index).m_time);
    SensorValues(set, day, order);

    const std::size_t count = order.size();
    const std::size_t width = wavelengths.size();
    constexpr std::size_t kChunk = kArchiveChunkRecords;
    day.quantities.assign(quantities.size(), std::vector<float>(count, kArchiveFloatFill));
    prepared.holds[0] = count > 0;
    for (int model = 0; model < kModelCount; ++model)
        prepared.holds[1 + static_cast<std::size_t>(model)] =
            day.sensors[static_cast<std::size_t>(model)].present;
    // Records [wholeFrom, wholeTo) of the archive fill whole chunks inside this day.
    const std::size_t end = first + count;
    const std::size_t wholeFrom = (first + kChunk - 1) / kChunk * kChunk;
    const std::size_t wholeTo = std::max(wholeFrom, end / kChunk * kChunk);
    std::array<std::vector<float>, kArchiveSpectra> chunk;
    for (std::size_t s = 0; s < kArchiveSpectra; ++s)
        if (prepared.holds[s]) chunk[s].resize(kChunk * width);

    const unsigned expectedModels = rad::ExpectedModels(set);
    rad::QcEvidenceGatherer evidence;  // the sensor plan of the file, made once
    CResample resampled;
    for (std::size_t r = 0; r < count; ++r) {
        const std::size_t record = first + r;
        const bool whole = wholeFrom <= record && record < wholeTo;
        if (!whole) prepared.looseRecords.push_back(r);
        std::array<float*, kArchiveSpectra> rows{};
        for (std::size_t s = 0; s < kArchiveSpectra; ++s) {
            if (!prepared.holds[s]) continue;
            std::vector<float>& loose = prepared.looseSpectra[s];
            if (!whole) loose.resize(loose.size() + width);
            rows[s] = whole ? chunk[s].data() + record % kChunk * width
                            : loose.data() + loose.size() - width;
        }
        resampled.Resample(set, order[r]);
        const rad::LightQuantities q = rad::ComputeQuantities(resampled);
        for (std::size_t c = 0; c < quantities.size(); ++c)
            day.quantities[c][r] = ArchiveFloat(q.values[quantities[c]].value);
        const rad::SunValues values = sun.At(day.times[r]);
        day.qc.push_back(static_cast<int>(
            rad::QcFlagsOf(evidence.Gather(set, order[r]), q[rad::Quantity::Ppfd].value,
                           values.zenithDeg, values.clearSkyPpfd, {}, expectedModels)));
        day.sunZenith.push_back(ArchiveFloat(values.zenithDeg));
        day.sunAzimuth.push_back(ArchiveFloat(values.azimuthDeg));
        day.clearSkyPpfd.push_back(ArchiveFloat(values.clearSkyPpfd));
        day.times[r] = zone.zone.InstantOf(day.times[r]);
        const rad::MergePlan plan = rad::MakeMergePlan(set, order[r]);
        MergedRow(plan, resampled, wavelengths, rows[0]);
        for (int model = 0; model < kModelCount; ++model)
            if (float* row = rows[1 + static_cast<std::size_t>(model)])
                SensorRow(set, model, order[r], plan, wavelengths, rows[0], row);
        if (whole && (record + 1) % kChunk == 0)
            for (std::size_t s = 0; s < kArchiveSpectra; ++s)
                if (prepared.holds[s])
                    prepared.chunks[s].push_back(
                        {record / kChunk, FilterChunk(chunk[s].data(), chunk[s].size())});
    }
    return prepared;
}
