#pragma once

#include <string>
#include <vector>

class CRsdData;

// One record's spectrum on whole nanometres: the source of every derived quantity.
class CResample {
  public:
    std::vector<double> m_pValue;  // element k belongs to m_nFirst + k nm; empty = no spectrum
    int m_nFirst = 0;
    int m_nLast = 0;
    double m_dMax = 0;
    double m_dMin = 0;
    std::string m_strLabel;  // legend label (Radview: the record's local date and time)

    // Throws std::out_of_range for a record index outside the set.
    void Resample(const CRsdData& data, int index);
    void Reset();
    void Free();
    bool IsEmpty() const { return m_pValue.empty(); }
    double GetValue(int nm) const { return m_pValue[static_cast<std::size_t>(nm - m_nFirst)]; }
    bool InRange(int nm) const { return !m_pValue.empty() && m_nFirst <= nm && nm <= m_nLast; }

    // Derived quantities (Derived.cpp).
    double GetIntegral(int from, int to) const;  // W/m2
    double GetPAR() const;                       // W/m2
    double GetPPFD() const;                      // umol/m2/s
    double GetIlluminance() const;               // lx
};
