#pragma once

#include <vector>

#include "StatusReport.h"

// Prepares record index for the viewer's detailed view: returns its report texts and appends
// its spectrum, labelled with the record's local date and time, to shownSpectra.
// Throws like BuildStatusReport; shownSpectra is unchanged then.
StatusReport PrepareDetailRecord(const CRsdData& set, int index, int disp,
                                 const IntegSettings& integ, ReportLanguage language,
                                 std::vector<CResample>& shownSpectra);
