#pragma once

// The one check of an output path before any program writes to it: an output never replaces
// what is not a file, and never overwrites what the same run reads.

#include <span>
#include <string>

namespace rad {

// 0 when path may be replaced by a regular file written through CAtomicFile (it is missing,
// or a regular file or a symlink to one, and none of inputs); else the cause:
// kErrNotRegularFile (FIFO, device, socket), EISDIR, ELOOP (a symlink loop),
// kErrOutputIsInput (the same device and inode as an input), or stat's own errno.
int CheckOutputPath(const std::string& path, std::span<const std::string> inputs = {});

}  // namespace rad
