#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <vector>

#include "OutputPath.h"
#include "RegularFile.h"

namespace {

// Like the kernel's own limit on symlinks in one path lookup.
constexpr int kMaxSymlinks = 40;
constexpr std::string_view kTempInfix = ".saving-";
constexpr std::string_view kTempSuffix = ".tmp";
// A save takes far less; a temporary file this old belongs to a save that died.
constexpr long long kStaleSeconds = 60;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The part of the target's name that begins its temporary files' names: all of it, or as
// much as leaves room for the rest within NAME_MAX (a process id and a counter of up to ten
// digits each), so that a name up to the limit can be saved as well.
std::string TempBase(const std::string& target) {
    constexpr std::size_t kRoom = NAME_MAX - kTempInfix.size() - 10 - 1 - 10 - kTempSuffix.size();
    std::string name = NameOf(target);
    if (name.size() > kRoom) name.resize(kRoom);
    return name;
}

// The writer's process id when name is "<base>.saving-<pid>-<n>.tmp", else 0.
pid_t TempFileOwner(std::string_view name, std::string_view base) {
    if (name.size() <= base.size() + kTempInfix.size() + kTempSuffix.size()) return 0;
    if (name.substr(0, base.size()) != base) return 0;
    name.remove_prefix(base.size());
    if (name.substr(0, kTempInfix.size()) != kTempInfix) return 0;
    name.remove_prefix(kTempInfix.size());
    if (!name.ends_with(kTempSuffix)) return 0;
    name.remove_suffix(kTempSuffix.size());
    long long pid = 0;
    auto [rest, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc{} || pid <= 0 || rest == name.data() + name.size() || *rest != '-') {
        return 0;
    }
    for (++rest; rest < name.data() + name.size(); ++rest) {
        if (*rest < '0' || *rest > '9') return 0;
    }
    return static_cast<pid_t>(pid);
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Flushes the rename to disk; without it a power loss may bring back the old file, which is
// whole as well, so a failure here is no failure of the save.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    [[maybe_unused]] const int synced = ::fsync(fd);
    ::close(fd);
}

}  // namespace

namespace rad {

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FollowSymlinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hops = 0; hops <= kMaxSymlinks; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        std::vector<char> link(static_cast<std::size_t>(st.st_size) + 256);
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0) return false;
        const std::string next(link.data(), static_cast<std::size_t>(n));
        current = next.starts_with('/') ? next : FolderOf(current) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

int RemoveStaleTempFiles(const std::string& target, long long now, long long maxAgeSeconds) {
    const std::string folder = FolderOf(target);
    const std::string base = TempBase(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TempFileOwner(entry->d_name, base);
        if (owner == 0 || owner == ::getpid()) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (now - st.st_mtime < maxAgeSeconds || !ProcessIsGone(owner)) continue;
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

CAtomicFile::CAtomicFile(const std::string& path) {
    if (!FollowSymlinks(path, m_target)) {
        Fail(errno);
        return;
    }
    // A FIFO, device or folder is never replaced by a regular file.
    if (const int refused = CheckOutputPath(m_target)) {
        Fail(refused);
        return;
    }
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    RemoveStaleTempFiles(m_target, static_cast<long long>(std::time(nullptr)), kStaleSeconds);

    static std::atomic<unsigned> counter{0};
    const std::string folder = m_target.substr(0, m_target.size() - NameOf(m_target).size());
    const std::string prefix =
        folder + TempBase(m_target) + std::string(kTempInfix) + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = prefix + "-" + std::to_string(counter++) + std::string(kTempSuffix);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        Fail(errno);
        m_temp.clear();
        return;
    }
    if (exists) {
        // Only the owner's group may be all an ordinary user can keep; chown before chmod
        // because a change of owner clears the set-id bits.
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int group = ::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid);
        }
        [[maybe_unused]] const int mode = ::fchmod(m_fd, old.st_mode & 07777);
    }
}

CAtomicFile::~CAtomicFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temp.empty()) ::unlink(m_temp.c_str());
}

void CAtomicFile::Fail(int error) {
    if (m_error == 0) m_error = error != 0 ? error : EIO;
}

bool CAtomicFile::Write(std::string_view bytes) {
    if (m_error != 0) return false;
    if (WriteAll(m_fd, bytes.data(), bytes.size())) return true;
    Fail(errno);
    return false;
}

int CAtomicFile::Commit() {
    if (m_error != 0 || m_committed) return m_error;
    const int fd = m_fd;
    m_fd = -1;
    if (::fsync(fd) != 0) {
        Fail(errno);
        ::close(fd);
        return m_error;
    }
    if (::close(fd) != 0) Fail(errno);
    if (m_error == 0 && ::rename(m_temp.c_str(), m_target.c_str()) != 0) Fail(errno);
    if (m_error != 0) return m_error;
    m_committed = true;
    SyncFolder(FolderOf(m_target));
    return 0;
}

int WriteFileAtomic(const std::string& path, std::string_view bytes) {
    CAtomicFile file(path);
    file.Write(bytes);
    return file.Commit();
}

}  // namespace rad
