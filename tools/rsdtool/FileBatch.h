#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DailyLight.h"
#include "LightSeries.h"
#include "QcFlags.h"
#include "RecordZone.h"

// Many RSD files read and turned into rows on every core; a file that fails leaves its error
// and does not stop the others. What the callers need of a row is kept as it is made, and the
// row dropped: a file of many records without data would cost many times its size in rows.
struct FileRows {
    std::string path;
    std::optional<std::string> problem;  // set when the file did not load
    std::vector<int64_t> times;          // of the rows, in record order
    std::vector<unsigned char> qc;       // the rows' QcFlag bits, sensor_missing included
    // Rows whose line was written before sensor_missing could be judged (the file was still
    // loading) and whose flags it changed: their lines want SetLineQc with their flags.
    std::vector<std::size_t> requalify;
    std::vector<std::string> lines;  // the rows as the line formatter wrote them, if one was given
    std::vector<rad::LightSample> samples;   // the rows' light samples, without a formatter
    std::vector<rad::LightSample> clearSky;  // their clear-sky samples, likewise
    std::optional<std::string> formatError;  // what the formatter threw
    // Of the site header: where the sun values come from, and the zone the times were read in.
    std::optional<rad::SiteLocation> site;
    rad::RecordZone zone = rad::RecordZone::Machine();
    std::string zoneNotice;  // why the zone is not the machine's; "" when it is
};

using rad::ZoneRule;

using RowFormatter = std::function<std::string(const rad::SeriesRow&)>;

// Files in the order given. progress (may be empty) is called after each file with the
// number done and the total, from the worker threads one at a time. format (may be empty)
// turns each row into its line on the worker too; what it throws as
// std::invalid_argument lands in formatError. Without format, the rows' light samples are
// kept instead. The rows get their sun values and flags first.
std::vector<FileRows> ReadFileRows(const std::vector<std::string>& paths,
                                   const std::function<void(int, int)>& progress,
                                   const RowFormatter& format = {}, const ZoneRule& zones = {},
                                   const rad::QcThresholds& thresholds = {});

// A progress bar on stderr when it is a terminal and there are more than a few files;
// otherwise nothing.
std::function<void(int, int)> TerminalProgress(std::size_t fileCount);
