#include "DetailRecord.h"

StatusReport PrepareDetailRecord(const CRsdData& set, int index, int disp,
                                 const IntegSettings& integ, ReportLanguage language,
                                 std::vector<CResample>& shownSpectra) {
    StatusReport report;
    CResample spectrum;
    BuildStatusReport(set, index, disp, integ, language, spectrum, report);
    spectrum.m_strLabel = report.dateText;
    shownSpectra.push_back(std::move(spectrum));
    return report;
}
