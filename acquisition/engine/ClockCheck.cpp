#include "ClockCheck.h"

#include "LocalTime.h"
#include "RadBuildTime.h"

namespace rad {
namespace {

std::string LocalText(int64_t t, const char* format) {
    const auto tm = ToLocalTm(t);
    return tm ? FormatLocalTm(*tm, format) : std::to_string(t) + " s after 1970";
}

}  // namespace

int64_t BuildTime() { return RAD_BUILD_EPOCH; }

std::string ClockNotSetText(int64_t now, int64_t built) {
    if (now >= built) return {};
    return "CLOCK NOT SET? it reads " + LocalText(now, "%Y/%m/%d %H:%M:%S") +
           ", before this program was built (" + LocalText(built, "%Y/%m/%d") + ")";
}

std::string CClockWatch::Check(int64_t now) {
    std::string text = m_floor > 0 ? ClockNotSetText(now, m_floor) : "";
    const bool said = m_bNoted;
    m_bNoted = !text.empty();
    return said ? "" : text;
}

}  // namespace rad
