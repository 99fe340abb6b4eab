#pragma once

#include <optional>
#include <string>

namespace rad {

// A cause beyond errno's: the path names a FIFO, device or socket where a file belongs.
constexpr int kErrNotRegularFile = 0x10000;
// An output path that names a file the same run reads.
constexpr int kErrOutputIsInput = 0x10001;

// Opens path (flags as for open(2), O_CREAT never added) only when it names a regular file,
// without ever blocking: a FIFO without a writer or a device would hold open(2) forever.
// Returns the descriptor, or -1 with errno set (EISDIR, kErrNotRegularFile, or open's own).
int OpenRegularFile(const std::string& path, int flags);

// The whole regular file at path; nullopt with errno set (as OpenRegularFile, or read's own)
// when it cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path);

// The cause of a failed file operation for messages, lower case: "no space left on device",
// "read-only file system", "is a directory", "too many levels of symbolic links".
std::string FileErrorText(int error);

}  // namespace rad
