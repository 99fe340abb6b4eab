#include "FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "RegularFile.h"

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

int LockWait(int fd, int operation) {
    int rc;
    do rc = ::flock(fd, operation);
    while (rc != 0 && errno == EINTR);
    return rc;
}

}  // namespace

CFileLock::CFileLock(CFileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

CFileLock& CFileLock::operator=(CFileLock&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

CFileLock::~CFileLock() { Close(); }

void CFileLock::Close() {
    if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor releases the flock
    m_fd = -1;
}

CFileLock CFileLock::Open(const std::string& path, int flags, Mode mode) {
    const int operation = mode == kShared ? LOCK_SH : LOCK_EX;
    for (;;) {
        const int fd = rad::OpenRegularFile(path, flags);
        if (fd < 0) return CFileLock();
        CFileLock file(fd);
        if (LockWait(fd, operation) != 0) return CFileLock();
        if (SameFile(fd, path)) return file;
        // Replaced while we waited: try again on the file the path names now (or fail when
        // it has gone).
    }
}
