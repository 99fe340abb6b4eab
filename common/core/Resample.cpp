#include "Resample.h"

#include <algorithm>
#include <cmath>

#include "ResampleTable.h"
#include "RsdData.h"

void CResample::Resample(const CRsdData& data, int index) {
    data.GetAt(index);  // throws before anything changes
    Reset();
    const auto table = rad::ResampleTable::For(data, index);
    if (!table) return;
    m_pValue.resize(table->Size());
    table->Fill(data, index, m_pValue.data());
    m_nFirst = table->First();
    m_nLast = table->Last();
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
