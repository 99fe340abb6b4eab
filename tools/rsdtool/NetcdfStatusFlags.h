#pragma once

#include <string_view>

// CF's flag_values and flag_meanings (and a comment on the values between them) on the
// archive variable of a coded status integer; nothing for one that is no code.
void PutStatusFlags(int ncid, int var, std::string_view statusName);
// CF's flag_masks and flag_meanings of the quality flags on the archive's qc variable.
void PutQcFlags(int ncid, int var);
