#include "ViewerZone.h"

#include <cstdio>
#include <set>
#include <string>

#include "RsdData.h"

rad::ZoneRule& ViewerZoneRule() {
    static rad::ZoneRule rule{false, rad::MachineStandardOffsetSeconds()};
    return rule;
}

rad::RecordZone ViewerZoneOf(const CRsdData& set) {
    static std::set<std::string> told;  // the views run on the UI thread only
    const rad::ZoneChoice choice = ViewerZoneRule().ChooseFor(set.m_strTZ);
    if (!choice.notice.empty() && told.insert(choice.notice).second)
        std::fprintf(stderr, "radview: %s\n", choice.notice.c_str());
    return choice.zone;
}
