#pragma once

#include <cstdio>
#include <cstring>

#include "RadVersion.h"

namespace rad {

// The command-line tools answer "--version" as the Qt programs do: "<program> <version>".
// Returns true when the first argument asked for it and the version was printed.
inline bool PrintVersionIfAsked(int argc, char** argv, const char* program) {
    if (argc < 2 || std::strcmp(argv[1], "--version") != 0) return false;
    std::printf("%s %s\n", program, RAD_VERSION);
    return true;
}

}  // namespace rad
