#include "NetcdfStatusFlags.h"

#include <netcdf.h>

#include <string>
#include <vector>

#include "NetcdfSupport.h"
#include "QcFlags.h"

namespace {

struct StatusFlags {
    std::string_view name;  // as in StatusValueNames
    std::vector<int> values;
    const char* meanings;
    const char* comment;  // the instruments' rule for the values not listed
};

const StatusFlags kFlags[] = {
    {"cooling_stopped",
     {0, 1},
     "cooling_active cooling_stopped",
     "any value other than 0 means stopped"},
    {"fin_overheat", {0, 1}, "fin_normal fin_overheat", "any value other than 0 means overheat"},
    {"peltier_state",
     {-1, 0, 1},
     "cooling stopped heating",
     "any value other than 1 and -1 means stopped"},
};

}  // namespace

void PutStatusFlags(int ncid, int var, std::string_view statusName) {
    for (const StatusFlags& flags : kFlags) {
        if (flags.name != statusName) continue;
        Check(nc_put_att_int(ncid, var, "flag_values", NC_INT, flags.values.size(),
                             flags.values.data()),
              "flag_values");
        PutText(ncid, var, "flag_meanings", flags.meanings);
        PutText(ncid, var, "comment", flags.comment);
    }
}

void PutQcFlags(int ncid, int var) {
    std::vector<int> masks;
    std::string meanings;
    for (const rad::QcFlagInfo& info : rad::QcFlagTable()) {
        masks.push_back(static_cast<int>(info.flag));
        meanings += (meanings.empty() ? "" : " ") + std::string(info.name);
    }
    Check(nc_put_att_int(ncid, var, "flag_masks", NC_INT, masks.size(), masks.data()),
          "flag_masks");
    PutText(ncid, var, "flag_meanings", meanings);
}
