#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "NetcdfArchive.h"

class CRsdData;

// Loads a day file: the problem, or nullopt when it loaded.
using ArchiveLoader = std::function<std::optional<std::string>(const std::string&, CRsdData&)>;

// Writes the archive out of the day files (in this order; their records in time order) and
// returns its record count. The files are read, computed and compressed on every core while
// this thread alone calls the NetCDF library. Throws ArchiveInputError for a file that does
// not load, ArchiveError otherwise; out may then be left half-written.
// notes (may be empty) sees each day on this thread before the archive takes it.
using DayNotes = std::function<void(const std::string& file, const ArchiveDay& day)>;
std::size_t WriteArchive(const std::vector<std::string>& files, const std::string& out,
                         const ArchiveOptions& options, const ArchiveLoader& load,
                         const DayNotes& notes = {});
