#pragma once

// Day files cut by a crash or power loss inside their last record, and records that could
// not be stored where they belong.
//
// A cut record must not stay at the end of a day file: the reader takes the bytes of the
// next appended record as the rest of the cut payload or line, and that record is lost.
// So before appending, RepairRsdTail makes the file end after its last complete record and
// keeps the cut bytes in a side file next to it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class CRsdData;

namespace rad {

// Where the complete part of an RSD file ends: after its last block that was closed by its
// end tag and a line end, without a cut payload or line, and before a blank line (where
// the reader stops). A record whose header or data blocks are cut counts as cut from its
// "DT_RSD" line on. nullopt when bytes do not begin like an RSD file.
std::optional<std::size_t> FindCompleteEnd(std::string_view bytes);

struct RsdRepairResult {
    enum Outcome {
        kComplete,  // the file ends after a complete record (or does not exist): nothing done
        kRepaired,  // the cut tail went to sidePath and the file now ends before it
        kNotRsd,    // not an RSD file: left alone
        kFailed,    // error names the errno; the file is as it was
    };
    Outcome outcome = kComplete;
    std::size_t keptBytes = 0;  // bytes of the file that stay
    std::size_t cutBytes = 0;   // bytes moved to the side file
    std::string sidePath;       // "<file>.cut-<n>", the first n not taken yet
    int error = 0;
};

// Checks path with FindCompleteEnd and, when it is cut, writes the cut tail whole to a new
// side file next to it (never over an older one), then rewrites path atomically with the
// complete part. A file cut before its first complete block keeps nothing and is removed,
// so the next store creates it afresh. content, when given, receives the bytes the file holds
// after the call (none when it is absent or was removed or the check failed), so a caller
// that loads the file next need not read it again.
RsdRepairResult RepairRsdTail(const std::string& path, std::string* content = nullptr);

// Saves set (its site header, calibrations and records) to a new file in folder named
// "<stem>-recovered-<n>.RSD", the first n not taken yet. Returns its path, or "" with errno
// set when no file could be written there.
std::string WriteRecoveryFile(const std::string& folder, std::string_view stem,
                              const CRsdData& set);

}  // namespace rad
