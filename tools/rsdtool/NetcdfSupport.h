#pragma once
// Small pieces the archive's sources share.

#include <netcdf.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <string_view>

#include "LightQuantities.h"
#include "NetcdfArchive.h"
#include "RegularFile.h"
#include "TextEncoding.h"

// The start of the global "source" attribute; the day files' names follow.
inline constexpr std::string_view kArchiveSourceText = "QS series spectroradiometers; day files ";
// After the day files in the source attribute: the program and version that wrote them.
inline constexpr std::string_view kArchiveSourceProgram = "; written by ";

// What the disk said when a call of the libraries failed without saying it: "" unless errno
// names a cause of the file system.
inline std::string DiskCause() {
    const int error = errno;
    const bool disk =
        error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO || error == EROFS;
    return disk ? " (" + rad::FileErrorText(error) + ")" : std::string();
}

// Throws ArchiveError with the NetCDF library's text for a failed call.
inline void Check(int status, const std::string& what) {
    if (status != NC_NOERR) throw ArchiveError(what + ": " + nc_strerror(status) + DiskCause());
}

inline void PutText(int ncid, int var, const char* name, const std::string& bytes) {
    const std::string value = rad::ToUtf8(bytes);  // CF readers expect UTF-8
    Check(nc_put_att_text(ncid, var, name, value.size(), value.c_str()), name);
}

inline std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The quantities an archive holds without --quantities.
inline bool InDefaultSet(rad::Quantity q) {
    return q == rad::Quantity::Par || q == rad::Quantity::Ppfd || q == rad::Quantity::Illuminance;
}
