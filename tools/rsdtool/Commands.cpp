#include "Commands.h"

#include <array>

#include "PlotHelp.h"

namespace {

constexpr const char* kInfoHelp =
    "usage: rsdtool info FILE\n"
    "Loads an RSD file and lists its site header, its calibrations and every record\n"
    "(index, local time, memo, models). Blocks whose calibration is missing or unusable are\n"
    "named. Exit 0 when the file loads, 1 when it does not, 2 on usage errors.\n";

constexpr const char* kCopyHelp =
    "usage: rsdtool copy IN OUT\n"
    "Loads IN and saves the data set to OUT as the programs write it.\n";

constexpr const char* kSpectralCsvHelp =
    "usage: rsdtool spectral-csv [--profile INI] [--records LIST] FILE OUT\n"
    "       rsdtool spectral-csv [--profile INI] --out-dir DIR FILE...\n"
    "Writes the spectral data CSV as Radview's \"Save as CSV(Spectral Data)\" does, with the\n"
    "[SAVE] settings of a Radview profile (defaults without one). LIST: comma-separated\n"
    "0-based record indices in the order given; default all records. With --out-dir, one CSV\n"
    "per file, named after the RSD file with \".csv\"; the others are written when one fails.\n";

constexpr const char* kCalcCsvHelp =
    "usage: rsdtool calc-csv [--profile INI] [--records LIST] FILE OUT\n"
    "       rsdtool calc-csv [--profile INI] --out-dir DIR FILE...\n"
    "Writes the calculated data CSV (PAR, PPFD, illuminance, band total) as Radview's\n"
    "\"Save as CSV(Calculated Data)\" does, with the [INTEG] band of a Radview profile.\n"
    "A file without records gives no CSV. LIST and --out-dir as for spectral-csv.\n";

constexpr const char* kNetcdfHelp =
    "usage: rsdtool netcdf [--grid FROM:TO:STEP] [--quantities] [--tz ZONE] [--force|--append]\n"
    "                      FILE... -o OUT.nc\n"
    "Writes the records of the day files, in time order, into one NetCDF-4 file with CF-1.8\n"
    "metadata: merged and per-sensor spectral irradiance on the wavelength grid (default\n"
    "300:1800:1 nm), PAR, PPFD and illuminance (--quantities: every light quantity), and each\n"
    "sensor's exposure and status values, the sun's zenith and azimuth and the clear-sky\n"
    "PPFD. The times are the records' true instants: --tz as for series.\n"
    "One file per station and month suits xarray best.\n"
    "The day files must be of one station (site name, latitude and longitude). An existing\n"
    "OUT is replaced only with --force; --append adds days that come after its records to\n"
    "it, on its own grid (it must be of the same station). A failed run leaves OUT as it was.\n";

constexpr const char* kReportHelp =
    "usage: rsdtool report [--profile INI] [--lang en|ja] FILE INDEX\n"
    "Prints the memo, the date, the integral line and the sensor status report of record\n"
    "INDEX (0-based), with [MODE] DISP and [INTEG] of a Radview profile. The language\n"
    "follows the locale (Japanese when it begins with \"ja\") unless --lang says.\n";

constexpr const char* kDemoHelp =
    "usage: rsdtool demo [--records N] [--sky clear|cloudy|noon|lamp] OUT\n"
    "Writes a generated day file: N records (default 144, at most 1440) of a QS-200 and a\n"
    "QS-300 every 10 minutes from 00:00 today, for trying the programs without a sensor.\n"
    "The light is the clear-sky model at the demo site (35 N, at the longitude of this\n"
    "machine's UTC offset): clear (default), cloudy (passing clouds), noon (the clear noon\n"
    "at every hour) or lamp (a 2856 K tungsten lamp indoors).\n";

constexpr const char* kQuantitiesHelp =
    "usage: rsdtool quantities [--profile INI] [--records LIST] [--json] [--tz ZONE] FILE\n"
    "                          [-o OUT]\n"
    "Writes the light quantities of every record (or of LIST, 0-based indices in the order\n"
    "given) as CSV: date, time, memo and one column per quantity (band photon fluxes and\n"
    "irradiances, PAR, PPFD, illuminance, R:FR, B:R, B:G, erythemal UV and UV index, x, y,\n"
    "CCT, Duv, melanopic irradiance and EDI, average photon energy). A quantity whose band\n"
    "the spectrum does not reach is left empty. --json writes one JSON object per line\n"
    "(null for an empty cell). Without -o the lines go to standard output.\n"
    "The last columns give the sun at the record's instant for the site header's LAT, LON\n"
    "and ALT: zenith and azimuth (degrees, clockwise from north), the clear-sky PPFD and the\n"
    "clear-sky index (measured over clear-sky PPFD, from 5 degrees of elevation up); empty\n"
    "without a site. --tz ZONE (Asia/Tokyo, +09:00) reads and writes the record times in\n"
    "ZONE; without it the machine's zone serves when its standard offset equals the file's TZ,\n"
    "else the TZ offset (said on stderr).\n"
    "The column QC (JSON: the array qc) names the record's quality flags, separated by\n"
    "spaces; empty for a clean record. docs/quantities.md defines them; [QC] of the profile\n"
    "changes their thresholds.\n";

constexpr const char* kSeriesHelp =
    "usage: rsdtool series [--profile INI] [--json] [--tz ZONE] FILE... [-o OUT]\n"
    "The rows of \"quantities\" for every record of every FILE, in time order. The files are\n"
    "read in parallel; one that fails is named and the others are still written. Exit 0 when\n"
    "every file loaded, 1 otherwise.\n";

constexpr const char* kDailyHelp =
    "usage: rsdtool daily [--profile INI] [--json] [--tz ZONE] FILE... [-o OUT]\n"
    "One row per day of the records of every FILE: date, records, daily light integral\n"
    "(mol/m2/d, PPFD over time without bridging gaps longer than twice the day's median\n"
    "spacing), the coverage of the day's measuring window, maximum PPFD and its time, mean\n"
    "R:FR over records above 10 umol/m2/s and maximum UV index. Days start at midnight, or at\n"
    "the hour [ANALYSIS] DAYSTART of the profile. With a site: the photoperiod (hours of\n"
    "sun above the horizon), the clear-sky DLI of the whole day and the DLI over the clear\n"
    "sky's integral of the same records. Files, --tz and exit status as for series.\n"
    "The last column counts the day's records with a quality flag other than night.\n";

constexpr const char* kQcHelp =
    "usage: rsdtool qc [--profile INI] [--json] [--tz ZONE] FILE... [-o OUT]\n"
    "Per day of the records of every FILE: the records, and how many carry each quality\n"
    "flag (nonfinite, saturated, sensor_missing, sensors_apart, merge_mismatch,\n"
    "above_clear_sky, night, calibration_mismatch). [QC] of the profile changes the\n"
    "thresholds, [ANALYSIS] DAYSTART the hour the days start. Files, --tz and exit status as\n"
    "for series.\n";

constexpr const char* kRecalibrateHelp =
    "usage: rsdtool recalibrate --cal SOURCE [--force] FILE... (-o OUT | --out-dir DIR |\n"
    "                           --in-place)\n"
    "Replaces each model's calibration in every FILE with that model's calibration in\n"
    "SOURCE (an RSD file, such as the first day file after the sensor's calibration). Records,\n"
    "stored signals and times stay as they are. A serial number that differs between SOURCE\n"
    "and FILE is refused unless --force. -o takes one FILE; --out-dir writes each under its\n"
    "own name; --in-place replaces the files themselves. Prints per file and day the PPFD,\n"
    "UV index and DLI before and after. A file that fails is named and left as it was.\n";

constexpr std::array kCommands = {
    Command{"info", RunInfo, kInfoHelp},
    Command{"copy", RunCopy, kCopyHelp},
    Command{"spectral-csv", RunSpectralCsv, kSpectralCsvHelp},
    Command{"calc-csv", RunCalcCsv, kCalcCsvHelp},
    Command{"report", RunReport, kReportHelp},
    Command{"demo", RunDemo, kDemoHelp},
    Command{"quantities", RunQuantities, kQuantitiesHelp},
    Command{"series", RunSeries, kSeriesHelp},
    Command{"daily", RunDaily, kDailyHelp},
    Command{"qc", RunQc, kQcHelp},
    Command{"recalibrate", RunRecalibrate, kRecalibrateHelp},
#ifdef RSDTOOL_WITH_NETCDF
    Command{"netcdf", LaunchNetcdf, kNetcdfHelp},
#endif
    Command{"plot", RunPlot, kPlotHelp},
};

}  // namespace

std::span<const Command> CommandTable() { return kCommands; }
