#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rad {

int OpenRegularFile(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), (flags & ~O_CREAT) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : kErrNotRegularFile;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Regular files ignore O_NONBLOCK, but whoever gets the descriptor need not know it.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::optional<std::string> ReadRegularFile(const std::string& path) {
    const int fd = OpenRegularFile(path, O_RDONLY);
    if (fd < 0) return std::nullopt;
    std::string data;
    char buffer[16384];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    const int error = errno;
    ::close(fd);
    if (got < 0) {
        errno = error;
        return std::nullopt;
    }
    return data;
}

std::string FileErrorText(int error) {
    // Fixed texts: strerror follows the locale and would mix languages within one message.
    switch (error) {
        case 0:
            return "no error";
        case kErrNotRegularFile:
            return "not a regular file";
        case kErrOutputIsInput:
            return "it is one of the input files";
        case ENOENT:
            return "no such file or directory";
        case ENOTDIR:
            return "a part of the path is not a directory";
        case EISDIR:
            return "is a directory";
        case ELOOP:
            return "too many levels of symbolic links";
        case ENAMETOOLONG:
            return "file name too long";
        case EACCES:
            return "permission denied";
        case EPERM:
            return "operation not permitted";
        case EROFS:
            return "read-only file system";
        case ENOSPC:
            return "no space left on device";
        case EDQUOT:
            return "disk quota exceeded";
        case EFBIG:
            return "file too large";
        case EIO:
            return "input/output error";
        case ENOMEM:
            return "not enough memory";
        case EMFILE:
        case ENFILE:
            return "too many open files";
        case ETXTBSY:
            return "text file busy";
        case EBUSY:
            return "device or resource busy";
        case ENXIO:
            return "no such device or address";
        default:
            return "error " + std::to_string(error);
    }
}

}  // namespace rad
