#include "QcFlags.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

#include "PayloadStore.h"
#include "RsdData.h"
#include "SpectralMath.h"

namespace rad {
namespace {

constexpr QcFlagInfo kFlags[] = {
    {kQcNonfinite, "nonfinite"},
    {kQcSaturated, "saturated"},
    {kQcSensorMissing, "sensor_missing"},
    {kQcSensorsApart, "sensors_apart"},
    {kQcMergeMismatch, "merge_mismatch"},
    {kQcAboveClearSky, "above_clear_sky"},
    {kQcNight, "night"},
};
static_assert(std::size(kFlags) == kQcFlagCount);

struct Signals {
    const float* md = nullptr;
    const float* dd = nullptr;
};

// The block's stored signals, null for a payload the block does not carry.
Signals SignalsOf(const SensorData& block, int index, int model, const PayloadStore* payloads) {
    if (payloads) return {payloads->Find(index, model, false), payloads->Find(index, model, true)};
    return {block.MD.empty() ? nullptr : block.MD.data(),
            block.DD.empty() ? nullptr : block.DD.data()};
}

bool AnyNonFinite(const float* values, int n) {
    return values && HasNonFiniteValues(std::span(values, static_cast<std::size_t>(n)));
}

bool HasNonFiniteStatus(const SensorData& block) {
    const int floats = kModels[static_cast<std::size_t>(block.m_nModel)].statusFloats;
    return std::any_of(block.statusFloat, block.statusFloat + floats,
                       [](float v) { return !std::isfinite(v); });
}

// The driver stores a saturated pixel as light 0 and dark 0. Models with a fixed exposure
// never saturate; their masked pixels read 0 and 0 too.
bool HasSaturatedPixel(const Signals& s, int model) {
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(model)];
    if (info.fixedExposureMs != 0 || !s.md || !s.dd) return false;
    for (int k = 0; k < info.pixels; ++k)
        if (s.md[k] == 0.0f && s.dd[k] == 0.0f) return true;
    return false;
}

// Mean relative difference of two spectra over the whole nanometres both cover; nullopt when
// they share less than a nanometre or their mean level there is below least.
std::optional<double> OverlapDeviation(const SensorSpectrum& a, const SensorSpectrum& b,
                                       double least) {
    const double from = std::ceil(std::max(a.First(), b.First()));
    const double to = std::floor(std::min(a.Last(), b.Last()));
    if (!(to > from)) return std::nullopt;
    double difference = 0, level = 0;
    int count = 0;
    for (double nm = from; nm <= to; nm += 1.0, ++count) {
        const double va = a.ValueAt(nm), vb = b.ValueAt(nm);
        difference += std::fabs(va - vb);
        level += (std::fabs(va) + std::fabs(vb)) / 2;
    }
    if (!(level / count >= least)) return std::nullopt;
    return difference / level;
}

}  // namespace

std::span<const QcFlagInfo> QcFlagTable() { return kFlags; }

std::string QcNames(unsigned flags) {
    std::string names;
    for (const QcFlagInfo& info : kFlags) {
        if (!(flags & info.flag)) continue;
        if (!names.empty()) names += ' ';
        names += info.name;
    }
    return names;
}

std::string QcJsonArray(unsigned flags) {
    std::string array = "[";
    for (const QcFlagInfo& info : kFlags) {
        if (!(flags & info.flag)) continue;
        if (array.size() > 1) array += ',';
        array += '"';
        array += info.name;
        array += '"';
    }
    return array + "]";
}

QcEvidence GatherQcEvidence(const CRsdData& set, int index, const PayloadStore* payloads) {
    const CRad& rad = set.GetAt(index);
    QcEvidence evidence;
    std::optional<SensorSpectrum> spectra[kModelCount];
    int64_t earliest = INT64_MAX, latest = INT64_MIN;
    for (int m = 0; m < kModelCount; ++m) {
        const SensorData* block = rad.Block(m);
        if (!block) continue;
        evidence.heldModels |= 1u << m;
        earliest = std::min(earliest, block->MT);
        latest = std::max(latest, block->MT);
        const Signals s = SignalsOf(*block, index, m, payloads);
        const int n = PixelCount(m);
        evidence.nonfinite = evidence.nonfinite || AnyNonFinite(s.md, n) || AnyNonFinite(s.dd, n) ||
                             HasNonFiniteStatus(*block);
        evidence.saturated = evidence.saturated || HasSaturatedPixel(s, m);
        if (set.HasUsableCal(m) && s.md && s.dd) {
            const SensorCal& cal = *set.GetCal(m);
            spectra[m] = SensorSpectrum{cal.WL.data(), cal.CAL.data(), s.md, s.dd, n, m};
        }
    }
    if (latest >= earliest) evidence.blockSpanSeconds = static_cast<double>(latest - earliest);
    for (int a = 0; a < kModelCount; ++a) {
        for (int b = a + 1; b < kModelCount; ++b) {
            if (!spectra[a] || !spectra[b]) continue;
            const auto deviation = OverlapDeviation(*spectra[a], *spectra[b], kQcMergeLeastLevel);
            if (deviation && !(*deviation <= evidence.mergeDeviation))
                evidence.mergeDeviation = *deviation;
        }
    }
    return evidence;
}

unsigned ExpectedModels(const CRsdData& set) {
    unsigned held = 0;
    for (int i = 0; i < set.GetCount(); ++i)
        for (int m = 0; m < kModelCount; ++m)
            if (set.GetAt(i).Block(m)) held |= 1u << m;
    unsigned calibrated = 0;
    for (int m = 0; m < kModelCount; ++m)
        if (set.GetCal(m)) calibrated |= 1u << m;
    return held & calibrated;
}

unsigned MissingSensorFlag(unsigned heldModels, unsigned expectedModels) {
    return (expectedModels & ~heldModels) != 0 ? kQcSensorMissing : 0u;
}

unsigned QcFlagsOf(const QcEvidence& evidence, double ppfd, double zenithDeg, double clearSkyPpfd,
                   const QcThresholds& t, unsigned expectedModels) {
    unsigned flags = MissingSensorFlag(evidence.heldModels, expectedModels);
    if (evidence.nonfinite) flags |= kQcNonfinite;
    if (evidence.saturated) flags |= kQcSaturated;
    if (evidence.blockSpanSeconds > t.sensorsApartSeconds) flags |= kQcSensorsApart;
    if (evidence.mergeDeviation > t.mergeMismatch) flags |= kQcMergeMismatch;
    if (ppfd > t.clearSkyFactor * clearSkyPpfd + t.clearSkyMargin) flags |= kQcAboveClearSky;
    if (90.0 - zenithDeg < t.nightElevationDeg) flags |= kQcNight;
    return flags;
}

}  // namespace rad
