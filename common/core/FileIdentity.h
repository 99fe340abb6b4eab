#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rad {

// What tells whether a file changed since it was last seen: the same device and inode (not
// replaced by a rename), size and modification time (not written to since).
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

// nullopt when path cannot be examined (absent, no permission).
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace rad
