#include "QcFlags.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>

#include "BlockSerials.h"
#include "PayloadStore.h"
#include "RsdData.h"
#include "SensorOverlap.h"
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
    {kQcCalibrationMismatch, "calibration_mismatch"},
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

// Whether a float's bits are NaN or infinite, and whether two floats are both 0 (either sign),
// as integers: the scan of every stored pixel then vectorizes.
constexpr std::uint32_t kExponent = 0x7f800000u;
constexpr std::uint32_t kMagnitude = 0x7fffffffu;

std::uint32_t BitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool HasNonFiniteStatus(const SensorData& block) {
    const int floats = kModels[static_cast<std::size_t>(block.m_nModel)].statusFloats;
    return std::any_of(block.statusFloat, block.statusFloat + floats,
                       [](float v) { return !std::isfinite(v); });
}

struct PixelScan {
    bool nonfinite = false;
    bool saturated = false;
};

// One pass over a block's stored signals. The driver stores a saturated pixel as light 0 and
// dark 0; models with a fixed exposure never saturate (their masked pixels read 0 and 0 too).
PixelScan ScanPixels(const Signals& s, int model) {
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(model)];
    std::uint32_t nonfinite = 0, zeroPair = 0;
    if (s.md && s.dd) {
        for (int k = 0; k < info.pixels; ++k) {
            const std::uint32_t md = BitsOf(s.md[k]), dd = BitsOf(s.dd[k]);
            nonfinite |= ((md & kExponent) == kExponent) | ((dd & kExponent) == kExponent);
            zeroPair |= ((md | dd) & kMagnitude) == 0;
        }
    } else if (const float* one = s.md ? s.md : s.dd) {
        for (int k = 0; k < info.pixels; ++k)
            nonfinite |= (BitsOf(one[k]) & kExponent) == kExponent;
    }
    return {nonfinite != 0, zeroPair != 0 && info.fixedExposureMs == 0};
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
    return QcEvidenceGatherer().Gather(set, index, payloads);
}

QcEvidence QcEvidenceGatherer::Gather(const CRsdData& set, int index,
                                      const PayloadStore* payloads) {
    if (!m_planned) Plan(set);
    const CRad& rad = set.GetAt(index);
    QcEvidence evidence;
    std::optional<SensorSpectrum> spectra[kModelCount];
    int64_t earliest = INT64_MAX, latest = INT64_MIN;
    for (int m = 0; m < kModelCount; ++m) {
        const SensorData* block = rad.Block(m);
        if (!block) continue;
        evidence.heldModels |= 1u << m;
        if (const SensorCal* cal = set.GetCal(m); cal && SerialsDiffer(block->SN, cal->SN))
            evidence.calibrationMismatch = true;
        earliest = std::min(earliest, block->MT);
        latest = std::max(latest, block->MT);
        const Signals s = SignalsOf(*block, index, m, payloads);
        const int n = PixelCount(m);
        const PixelScan scan = ScanPixels(s, m);
        evidence.nonfinite = evidence.nonfinite || scan.nonfinite || HasNonFiniteStatus(*block);
        evidence.saturated = evidence.saturated || scan.saturated;
        if (m_usable[static_cast<std::size_t>(m)] && s.md && s.dd) {
            const SensorCal& cal = *set.GetCal(m);
            spectra[m] = SensorSpectrum{cal.WL.data(), cal.CAL.data(), s.md, s.dd, n, m};
        }
    }
    if (latest >= earliest) evidence.blockSpanSeconds = static_cast<double>(latest - earliest);
    for (const Pair& pair : m_overlaps) {
        if (!spectra[pair.a] || !spectra[pair.b]) continue;
        const auto deviation =
            pair.overlap.Deviation(*spectra[pair.a], *spectra[pair.b], kQcMergeLeastLevel);
        if (deviation && !(*deviation <= evidence.mergeDeviation))
            evidence.mergeDeviation = *deviation;
    }
    return evidence;
}

void QcEvidenceGatherer::Plan(const CRsdData& set) {
    for (int m = 0; m < kModelCount; ++m)
        m_usable[static_cast<std::size_t>(m)] = set.HasUsableCal(m);
    for (int a = 0; a < kModelCount; ++a) {
        for (int b = a + 1; b < kModelCount; ++b) {
            if (!m_usable[static_cast<std::size_t>(a)] || !m_usable[static_cast<std::size_t>(b)])
                continue;
            if (auto overlap = SensorOverlap::Of(*set.GetCal(a), *set.GetCal(b)))
                m_overlaps.push_back({a, b, std::move(*overlap)});
        }
    }
    m_planned = true;
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
    if (evidence.calibrationMismatch) flags |= kQcCalibrationMismatch;
    if (evidence.blockSpanSeconds > t.sensorsApartSeconds) flags |= kQcSensorsApart;
    if (evidence.mergeDeviation > t.mergeMismatch) flags |= kQcMergeMismatch;
    if (ppfd > t.clearSkyFactor * clearSkyPpfd + t.clearSkyMargin) flags |= kQcAboveClearSky;
    if (90.0 - zenithDeg < t.nightElevationDeg) flags |= kQcNight;
    return flags;
}

}  // namespace rad
