#include "LinkFailure.h"

#include <cstdio>

std::string DescribeFailure(const LinkFailure& failure) {
    const std::string what = failure.command.empty() ? "the wake-up" : failure.command;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g s", failure.timeoutMs / 1000.0);
    switch (failure.cause) {
        case LinkFailure::kNone:
            return {};
        case LinkFailure::kNoReply:
            return "no reply within " + std::string(seconds) + " to " + what;
        case LinkFailure::kRefused:
            return what + " refused (no OK)";
        case LinkFailure::kOverlong:
            return "overlong reply to " + what;
        case LinkFailure::kShortBlock:
            return what + " block short after " + seconds;
        case LinkFailure::kNoTrailer:
            return what + " block not followed by OK";
        case LinkFailure::kLost:
            return "device lost during " + what;
        case LinkFailure::kStopped:
            return "stopped during " + what;
    }
    return {};
}
