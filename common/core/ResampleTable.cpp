#include "ResampleTable.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "PayloadStore.h"
#include "RsdData.h"
#include "SettingsBlocks.h"
#include "SpectralMath.h"

namespace rad {
namespace {

// No sensor reaches beyond kMaxWavelengthNm; a table that claims to keeps the grid empty
// instead of allocating an absurd array or overflowing the int grid limits.
constexpr double kMaxGridWavelength = kMaxWavelengthNm;

std::atomic<uint64_t> g_resamples{0};

// The grid starts at the first whole nanometre above the first pixel wavelength.
bool GridLimits(double firstWl, double lastWl, int& first, int& last) {
    if (!(std::fabs(firstWl) < kMaxGridWavelength && std::fabs(lastWl) < kMaxGridWavelength))
        return false;
    first = static_cast<int>(std::trunc(firstWl)) + 1;
    last = static_cast<int>(std::trunc(lastWl));
    return first <= last;
}

// Without a merge pair the highest-numbered present model supplies the spectrum.
std::optional<SensorSpectrum> HighestSpectrum(const CRsdData& data, int index) {
    for (int m = kModelCount - 1; m >= 0; --m) {
        if (auto spectrum = GetSensorSpectrum(data, m, index)) return spectrum;
    }
    return std::nullopt;
}

bool Sized(const std::vector<float>& payload, int model) {
    return payload.empty() || static_cast<int>(payload.size()) == PixelCount(model);
}

// The usable-block mask of a record, given which calibrations are usable.
uint32_t KeyOf(const CRsdData& set, int index, const std::array<bool, kModelCount>& usable) {
    const CRad& rad = set.GetAt(index);
    uint32_t key = 0;
    for (int m = 0; m < kModelCount; ++m) {
        const SensorData* block = rad.Block(m);
        if (block && usable[static_cast<std::size_t>(m)] && Sized(block->MD, m) &&
            Sized(block->DD, m))
            key |= 1u << m;
    }
    return key;
}

std::array<bool, kModelCount> UsableCalibrations(const CRsdData& set) {
    std::array<bool, kModelCount> usable{};
    for (int m = 0; m < kModelCount; ++m) usable[static_cast<std::size_t>(m)] = set.HasUsableCal(m);
    return usable;
}

// What SensorSpectrum::ValueAt computes before it reads a pixel.
template <typename Interp>
Interp Locate(const SensorSpectrum& s, double lambda) {
    Interp p;
    const int i = FindPixelInterval(s.wl, s.n, lambda, s.lastInterval);
    if (i < 0) return p;
    s.lastInterval = i;
    const double t0 = s.wl[i], t1 = s.wl[i + 1];
    p.pixel = i;
    p.offset = lambda - t0;
    p.width = t1 - t0;
    return p;
}

struct Pixels {
    const float* md = nullptr;
    const float* dd = nullptr;
    const float* cal = nullptr;

    double At(int i) const { return static_cast<double>((md[i] - dd[i]) * cal[i]); }
};

Pixels PixelsOf(const CRsdData& set, int index, int model, const PayloadStore* payloads) {
    const float* cal = set.GetCal(model)->CAL.data();
    if (payloads) {
        static const std::vector<float> none;
        const float* md = payloads->Find(index, model, false);
        const float* dd = payloads->Find(index, model, true);
        return {md ? md : PayloadOrZeros(none), dd ? dd : PayloadOrZeros(none), cal};
    }
    const SensorData* block = set.GetAt(index).Block(model);
    return {PayloadOrZeros(block->MD), PayloadOrZeros(block->DD), cal};
}

}  // namespace

uint32_t ResampleTable::Key(const CRsdData& set, int index) {
    return KeyOf(set, index, UsableCalibrations(set));
}

std::optional<ResampleTable> ResampleTable::For(const CRsdData& set, int index, int from, int to) {
    const uint32_t key = Key(set, index);
    const MergePlan plan = MakeMergePlan(set, index);
    const auto single = plan.IsPair() ? std::nullopt : HighestSpectrum(set, index);
    if (!plan.IsPair() && !single) return std::nullopt;
    const SensorSpectrum& a = plan.IsPair() ? *plan.shortWave : *single;
    const double firstWl = a.First();
    const double lastWl = plan.IsPair() ? plan.longWave->Last() : a.Last();
    int first = 0, last = 0;
    if (!GridLimits(firstWl, lastWl, first, last)) return std::nullopt;
    first = std::max(first, from);
    last = std::min(last, to);
    if (first > last) return std::nullopt;

    ResampleTable table;
    table.m_first = first;
    table.m_last = last;
    table.m_key = key;
    table.m_modelA = a.model;
    table.m_modelB = plan.IsPair() ? plan.longWave->model : -1;
    table.m_points.resize(static_cast<std::size_t>(last - first + 1));
    for (int nm = first; nm <= last; ++nm) {
        Point& point = table.m_points[static_cast<std::size_t>(nm - first)];
        const double lambda = nm;
        if (!plan.IsPair()) {
            point.a = Locate<Interp>(a, lambda);
        } else if (lambda < plan.lo) {
            point.a = Locate<Interp>(a, lambda);
        } else if (lambda > plan.hi) {
            point.mode = 1;
            point.b = Locate<Interp>(*plan.longWave, lambda);
        } else {
            point.mode = 2;
            point.weight = (plan.hi - lambda) / (plan.hi - plan.lo);
            point.a = Locate<Interp>(a, lambda);
            point.b = Locate<Interp>(*plan.longWave, lambda);
        }
    }
    return table;
}

void ResampleTable::Fill(const CRsdData& set, int index, double* out,
                         const PayloadStore* payloads) const {
    g_resamples.fetch_add(1, std::memory_order_relaxed);
    const Pixels a = PixelsOf(set, index, m_modelA, payloads);
    const Pixels b = m_modelB >= 0 ? PixelsOf(set, index, m_modelB, payloads) : Pixels{};
    // The arithmetic of SensorSpectrum::ValueAt and MergePlan::ValueAt, step for step, so
    // that every value is the same to the last bit.
    const auto value = [](const Pixels& p, const Interp& at) {
        if (at.pixel < 0) return 0.0;
        const double y0 = p.At(at.pixel), y1 = p.At(at.pixel + 1);
        return y0 + (y1 - y0) * at.offset / at.width;
    };
    const std::size_t n = m_points.size();
    for (std::size_t k = 0; k < n; ++k) {
        const Point& point = m_points[k];
        switch (point.mode) {
            case 0:
                out[k] = value(a, point.a);
                break;
            case 1:
                out[k] = value(b, point.b);
                break;
            default: {
                const double w = point.weight;
                out[k] = value(a, point.a) * w + value(b, point.b) * (1 - w);
            }
        }
    }
}

uint64_t ResampleCount() { return g_resamples.load(std::memory_order_relaxed); }

const ResampleTable* ResampleTables::For(const CRsdData& set, int index) {
    if (!m_usable) m_usable = UsableCalibrations(set);
    const uint32_t key = KeyOf(set, index, *m_usable);
    for (const auto& [known, table] : m_tables) {
        if (known == key) return table ? &*table : nullptr;
    }
    m_tables.emplace_back(key,
                          key == 0 ? std::nullopt : ResampleTable::For(set, index, m_from, m_to));
    return m_tables.back().second ? &*m_tables.back().second : nullptr;
}

}  // namespace rad
