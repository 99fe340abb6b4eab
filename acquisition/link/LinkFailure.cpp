#include "LinkFailure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

std::string DescribeOpenError(int err) {
    switch (err) {
        case ENOENT:
            return "no such file or directory";  // the path itself is missing
        case ENODEV:
        case ENXIO:
            return "no such device";
        case EBUSY:
        case EWOULDBLOCK:
            return "busy: held by another program";
        case EACCES:
        case EPERM:
            return "permission denied";
        case 0:
            return "no device for this port";
        default:
            return std::strerror(err);
    }
}
