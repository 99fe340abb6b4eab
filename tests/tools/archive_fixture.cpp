// The core's side of the archive test: makes day files, and prints what the core computes
// of them, for the Python reader to compare with the archive.
//   archive_fixture make DIR DAYS RECORDS    day files of consecutive June 2026 days, of a
//                                            QS-200 and a QS-300 (the last: a QS-200 only)
//   archive_fixture spectrum FILE INDEX      "Merge nm value" of the record's resampled
//                                            spectrum, "QS-200 nm value" of each sensor's
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "LocalTime.h"
#include "Resample.h"
#include "RsdData.h"
#include "SpectralMath.h"
#include "SyntheticData.h"

namespace {

int Make(const std::string& dir, int days, int records) {
    for (int day = 0; day < days; ++day) {
        const int64_t midnight = *rad::LocalFieldsToTime(2026, 6, 1 + day, 0, 0, 0);
        CRsdData set;
        // The last day lacks the QS-300, as when a sensor was taken away for calibration.
        const bool last = day + 1 == days && days > 1;
        if (last)
            rad::MakeSyntheticDay(set, records, {kQS200}, midnight, 86400 / records);
        else
            rad::MakeSyntheticDay(set, records, {kQS200, kQS300}, midnight, 86400 / records);
        const std::string path = dir + "/" + rad::FormatLocalTime(midnight, "%Y%m%d") + ".rsd";
        if (!set.Save(path)) return 1;
    }
    return 0;
}

int Spectrum(const std::string& file, int index) {
    CRsdData set;
    if (set.Load(file) < 0 || index < 0 || index >= set.GetCount()) return 1;
    CResample merged;
    merged.Resample(set, index);
    for (int nm = merged.m_nFirst; !merged.IsEmpty() && nm <= merged.m_nLast; ++nm)
        std::printf("Merge %d %.9g\n", nm, merged.GetValue(nm));
    for (int model = 0; model < kModelCount; ++model) {
        const auto spectrum = rad::GetSensorSpectrum(set, model, index);
        if (!spectrum) continue;
        for (int nm = static_cast<int>(std::ceil(spectrum->First())); nm <= spectrum->Last(); ++nm)
            std::printf("%s %d %.9g\n", kModels[static_cast<std::size_t>(model)].label, nm,
                        spectrum->ValueAt(nm));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    rad::InitTimeZone();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "make")
        return Make(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()));
    if (args.size() == 3 && args[0] == "spectrum")
        return Spectrum(args[1], std::atoi(args[2].c_str()));
    std::fputs("usage: archive_fixture make DIR DAYS RECORDS | spectrum FILE INDEX\n", stderr);
    return 2;
}
