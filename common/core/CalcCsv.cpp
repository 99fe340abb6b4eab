#include "CalcCsv.h"

#include <cstdio>

#include "LocalTime.h"
#include "Resample.h"
#include "SpectralCsv.h"

namespace rad {

std::vector<std::string> BuildCalcCsvLines(const CRsdData& set, const std::vector<int>& indices,
                                           const IntegSettings& integ) {
    std::vector<std::string> lines;
    if (set.GetCount() == 0) {
        for (const int index : indices) set.GetAt(index);  // every index is out of range
        return lines;
    }
    lines.reserve(indices.size() + 2);
    // The date is the file's (its first record), whichever records are exported.
    lines.push_back(FormatLocalTime(set.GetAt(0).m_time, "%Y/%m/%d"));
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "Time,PAR(W/m2),PPFD(umol/m2/s),Illuminance(lx),Total(W/m2)(%d-%d),", integ.left,
                  integ.right);
    lines.emplace_back(buffer);
    CResample spectrum;
    for (const int index : indices) {
        spectrum.Resample(set, index);
        std::string line = FormatLocalTime(set.GetAt(index).m_time, "%H:%M:%S,");
        std::snprintf(buffer, sizeof buffer, "%.2f,%.1f,%.1f,%.1f,", spectrum.GetPAR(),
                      spectrum.GetPPFD(), spectrum.GetIlluminance(),
                      spectrum.GetIntegral(integ.left, integ.right));
        line += buffer;
        lines.push_back(std::move(line));
    }
    return lines;
}

int WriteCalcCsv(const std::string& path, const CRsdData& set, const std::vector<int>& indices,
                 const IntegSettings& integ) {
    // A hand-edited reversed band would fill the file with totals of 0.0.
    if (!IsWavelengthRangeUsable(integ.left, integ.right)) return kCalcRangeRefused;
    const std::vector<std::string> lines = BuildCalcCsvLines(set, indices, integ);
    if (lines.empty()) return 0;
    return WriteCsvLines(path, lines) ? 1 : -1;
}

}  // namespace rad
