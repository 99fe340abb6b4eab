#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

// What write returns when it runs under a file size limit of bytes: writes beyond the limit
// fail half-way, as on a full disk.
template <class Write>
auto UnderFileSizeLimit(rlim_t bytes, Write write) {
    rlimit old{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto result = write();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    return result;
}
