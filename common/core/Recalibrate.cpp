#include "Recalibrate.h"

#include <cerrno>

#include "AtomicFile.h"
#include "BlockSerials.h"
#include "CalibrationSplice.h"
#include "RegularFile.h"
#include "RsdData.h"

namespace rad {

std::string SerialMismatches(const CRsdData& target, const CRsdData& source) {
    std::string mismatches;
    for (int m = 0; m < kModelCount; ++m) {
        const SensorCal* mine = target.GetCal(m);
        const SensorCal* theirs = source.GetCal(m);
        if (!mine || !theirs || !SerialsDiffer(mine->SN, theirs->SN)) continue;
        if (!mismatches.empty()) mismatches += ", ";
        mismatches += std::string(kModels[static_cast<std::size_t>(m)].label) + " " +
                      SerialOf(mine->SN) + " -> " + SerialOf(theirs->SN);
    }
    return mismatches;
}

Recalibration Recalibrate(std::string_view target, std::string_view source, bool force) {
    Recalibration result;
    CRsdData targetSet, sourceSet;
    if (targetSet.LoadFromMemory(target.data(), target.size()) < 0) {
        result.problem = "the file does not read as an RSD file";
        return result;
    }
    if (sourceSet.LoadFromMemory(source.data(), source.size()) < 0) {
        result.problem = "the calibration source does not read as an RSD file";
        return result;
    }
    const std::string mismatches = SerialMismatches(targetSet, sourceSet);
    if (!mismatches.empty() && !force) {
        result.problem = "serial numbers differ (" + mismatches + "); --force replaces anyway";
        return result;
    }
    for (int m = 0; m < kModelCount; ++m)
        if (targetSet.GetCal(m) && sourceSet.GetCal(m)) result.replaced |= 1u << m;
    result.bytes = SpliceCalibrations(target, source, result.replaced);
    if (!result.bytes) result.problem = "the file's blocks cannot be told apart";
    return result;
}

FileRecalibration RecalibrateFile(const std::string& in, const std::string& out,
                                  std::string_view source, bool force) {
    FileRecalibration done;
    done.failedPath = in;
    auto bytes = ReadRegularFile(in);
    if (!bytes) {
        done.problem = "cannot be read: " + FileErrorText(errno);
        return done;
    }
    done.before = std::move(*bytes);
    Recalibration result = Recalibrate(done.before, source, force);
    if (!result.bytes) {
        done.problem = result.problem;
        return done;
    }
    if (const int error = WriteFileAtomic(out, *result.bytes); error != 0) {
        done.failedPath = out;
        done.problem = "cannot be written: " + FileErrorText(error);
        return done;
    }
    done.after = std::move(*result.bytes);
    done.ok = true;
    return done;
}

}  // namespace rad
