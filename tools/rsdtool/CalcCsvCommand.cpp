// rsdtool calc-csv: the viewer's "Save as CSV(Calculated Data)".
#include "CalcCsv.h"
#include "CsvExport.h"
#include "ToolSupport.h"

namespace {

bool WriteCalculatedCsv(const CRsdData& set, const std::vector<int>& indices,
                        const RadviewSettings& settings, const std::string& out) {
    const int result = rad::WriteCalcCsv(out, set, indices, settings.integ);
    // Like the viewer, a file without records gives no CSV; that is not a failure.
    if (result == 0) FileError(out, "not written: the data file holds no records");
    if (result == rad::kCalcRangeRefused) {
        FileError(out, kRangeRefusedText);
        return false;
    }
    if (result >= 0) return true;
    WriteError(out);
    return false;
}

}  // namespace

int RunCalcCsv(const CommandArgs& args) {
    return RunCsvExport(args, "calc-csv", WriteCalculatedCsv);
}
