#include "FileIdentity.h"

#include <sys/stat.h>

namespace rad {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    constexpr int64_t kNsPerSecond = 1000000000;
    return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                        static_cast<int64_t>(st.st_size),
                        static_cast<int64_t>(st.st_mtim.tv_sec) * kNsPerSecond +
                            static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

}  // namespace rad
