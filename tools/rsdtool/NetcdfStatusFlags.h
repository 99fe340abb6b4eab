#pragma once

#include <string_view>

// CF's flag_values and flag_meanings (and a comment on the values between them) on the
// archive variable of a coded status integer; nothing for one that is no code.
void PutStatusFlags(int ncid, int var, std::string_view statusName);
