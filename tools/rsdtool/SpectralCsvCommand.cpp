// rsdtool spectral-csv: the viewer's "Save as CSV(Spectral Data)".
#include "CsvExport.h"
#include "SpectralCsv.h"
#include "ToolSupport.h"

namespace {

bool WriteSpectralCsv(const CRsdData& set, const std::vector<int>& indices,
                      const RadviewSettings& settings, const std::string& out) {
    CSpectralCsv csv;
    csv.BuildMergedAxis(set);
    if (csv.BuildCsvRows(set, settings.csv) != 1) {
        FileError(out, kRangeRefusedText);
        return false;
    }
    const int error = csv.WriteRecords(out, set, indices, settings.csv);
    if (error == 0) return true;
    WriteError(out, error);
    return false;
}

}  // namespace

int RunSpectralCsv(const CommandArgs& args) {
    return RunCsvExport(args, "spectral-csv", WriteSpectralCsv);
}
