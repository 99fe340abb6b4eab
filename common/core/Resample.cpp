#include "Resample.h"

#include <algorithm>
#include <cmath>

#include "RsdData.h"
#include "SettingsBlocks.h"
#include "SpectralMath.h"

namespace {
// No sensor reaches beyond kMaxWavelengthNm; a table that claims to keeps the grid empty
// instead of allocating an absurd array or overflowing the int grid limits.
constexpr double kMaxGridWavelength = kMaxWavelengthNm;

// The grid starts at the first whole nanometre above the first pixel wavelength.
bool GridLimits(double firstWl, double lastWl, int& first, int& last) {
    if (!(std::fabs(firstWl) < kMaxGridWavelength && std::fabs(lastWl) < kMaxGridWavelength))
        return false;
    first = static_cast<int>(std::trunc(firstWl)) + 1;
    last = static_cast<int>(std::trunc(lastWl));
    return first <= last;
}

// Without a merge pair the highest-numbered present model supplies the spectrum.
std::optional<rad::SensorSpectrum> HighestSpectrum(const CRsdData& data, int index) {
    for (int m = kModelCount - 1; m >= 0; --m) {
        if (auto spectrum = rad::GetSensorSpectrum(data, m, index)) return spectrum;
    }
    return std::nullopt;
}
}  // namespace

void CResample::Resample(const CRsdData& data, int index) {
    data.GetAt(index);  // throws before anything changes
    Reset();
    const rad::MergePlan plan = rad::MakeMergePlan(data, index);
    const auto single = plan.IsPair() ? std::nullopt : HighestSpectrum(data, index);
    if (!plan.IsPair() && !single) return;
    const double firstWl = plan.IsPair() ? plan.shortWave->First() : single->First();
    const double lastWl = plan.IsPair() ? plan.longWave->Last() : single->Last();
    int first = 0, last = 0;
    if (!GridLimits(firstWl, lastWl, first, last)) return;

    m_pValue.resize(static_cast<std::size_t>(last - first + 1));
    for (int nm = first; nm <= last; ++nm)
        m_pValue[nm - first] = plan.IsPair() ? plan.ValueAt(nm) : single->ValueAt(nm);
    m_nFirst = first;
    m_nLast = last;
    // Non-finite values (a NaN pixel) would make the extremes, and so the graph's scale,
    // NaN; they are left out, as they are of the sums.
    bool any = false;
    for (const double v : m_pValue) {
        if (!std::isfinite(v)) continue;
        m_dMax = any ? std::max(m_dMax, v) : v;
        m_dMin = any ? std::min(m_dMin, v) : v;
        any = true;
    }
}

void CResample::Reset() {
    Free();
    m_nFirst = m_nLast = 0;
    m_dMax = m_dMin = 0;
}

void CResample::Free() { std::vector<double>().swap(m_pValue); }
