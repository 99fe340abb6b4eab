#pragma once

#include <string>

#include "Language.h"
#include "Resample.h"
#include "RsdData.h"
#include "SettingsBlocks.h"

// The four texts the views draw beside the graph of a record.
struct StatusReport {
    std::string statusText;    // per-sensor sections in model order
    std::string integralText;  // "Integral : ..." of the band integral
    std::string dateText;      // local time of the record
    std::string titleText;     // the record's memo
};

namespace rad {
// Date and time of a record in the report and in the viewer's legend.
inline constexpr const char* kReportDateFormat = "%Y/%m/%d  %H:%M:%S";
}  // namespace rad

// Fills report from record index: disp 0 gives the detailed sections, any other value the
// short ones; spectrum is refilled from the record for the integral over integ.
// Throws std::out_of_range for a bad index (report unchanged) and std::invalid_argument when
// the record time has no local form (statusText and integralText already replaced).
void BuildStatusReport(const CRsdData& set, int index, int disp, const IntegSettings& integ,
                       ReportLanguage language, CResample& spectrum, StatusReport& report);
