#pragma once

#include <string>

// Why the last exchange with a sensor failed, for the field station's output.
struct LinkFailure {
    enum Cause {
        kNone,
        kNoReply,     // nothing, or no complete line, within the time-out
        kRefused,     // a reply line without the final "OK"
        kOverlong,    // a reply line longer than the reply buffer
        kShortBlock,  // a binary block that stopped before its length
        kNoTrailer,   // a binary block not followed by exactly "OK": cut or shifted
        kLost,        // the device went away
        kStopped,     // the acquisition is stopping
    };
    Cause cause = kNone;
    std::string command;  // "SS", "RB", ...; empty for the wake-up line
    int timeoutMs = 0;    // of the wait that failed
};

// "no reply within 2 s to SS", "RB block not followed by OK", ...
std::string DescribeFailure(const LinkFailure& failure);
// Why a port did not open, from its errno: "no such file or directory" (a missing path),
// "no such device", "busy: held by another program".
std::string DescribeOpenError(int err);
