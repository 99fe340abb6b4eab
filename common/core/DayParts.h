#pragma once

// The parts of a day file. A sensor unit exchanged during the day (same model, another serial
// number) cannot share a file with the unit before it, whose calibration the file holds; its
// records go to a new part of the day: "20240701.RSD" is part 1, "20240701-2.RSD" part 2, and
// so on. Every reader of a day takes its parts together.

#include <optional>
#include <string>
#include <string_view>

namespace rad {

// More parts than this in one day are not looked for (a sensor swapped every few minutes).
inline constexpr int kMaxDayParts = 99;

struct DayPartName {
    std::string day;  // "20240701"
    int part = 1;
};

// "20240701.RSD" (any case of the extension) is part 1 of 20240701, "20240701-2.RSD" part 2;
// nullopt for any other name.
std::optional<DayPartName> ParseDayPartName(std::string_view fileName);

// Part n of the day whose first part is dayPath ("/d/2024/20240701.RSD" gives
// "/d/2024/20240701-2.RSD" for n = 2); dayPath itself for n = 1.
std::string DayPartPath(const std::string& dayPath, int part);

// Order of day files by their file names: by date, then by part; a name that is no day file
// sorts by itself. "20240701.RSD" comes before "20240701-2.RSD", which plain name order
// would turn round.
bool DayFileNameLess(const std::string& a, const std::string& b);

}  // namespace rad
