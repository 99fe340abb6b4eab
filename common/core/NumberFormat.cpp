#include "NumberFormat.h"

#include <charconv>
#include <cstdio>

namespace rad {

void AppendFixed(std::string& out, double value, int precision) {
    // DBL_MAX in fixed notation has 309 integer digits.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (result.ec == std::errc()) {
        out.append(buffer, result.ptr);
        return;
    }
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    if (n > 0)
        out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

}  // namespace rad
