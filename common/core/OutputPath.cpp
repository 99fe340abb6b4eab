#include "OutputPath.h"

#include <sys/stat.h>

#include <cerrno>

#include "AtomicFile.h"
#include "RegularFile.h"

namespace rad {

int CheckOutputPath(const std::string& path, std::span<const std::string> inputs) {
    std::string target;
    if (!FollowSymlinks(path, target)) return errno != 0 ? errno : ELOOP;
    struct stat out {};
    if (::stat(target.c_str(), &out) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(out.st_mode)) return EISDIR;
    if (!S_ISREG(out.st_mode)) return kErrNotRegularFile;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return kErrOutputIsInput;
    }
    return 0;
}

}  // namespace rad
