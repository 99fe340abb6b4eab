#include "YearLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "AtomicFile.h"
#include "LocalTime.h"
#include "OutputPaths.h"
#include "RegularFile.h"

namespace rad {

std::string FormatLogLine(int64_t t, const std::string& text) {
    return FormatLocalTime(t, "%Y/%m/%d,%H:%M:%S,") + text + "\r\n";
}

namespace {

// Opens the log for appending without ever blocking: a FIFO or device put in its place
// would otherwise hold the acquisition in open(2) or write(2).
int OpenLogForAppend(const std::string& path) {
    for (int tries = 0; tries < 2; ++tries) {
        const int fd = OpenRegularFile(path, O_WRONLY | O_APPEND);
        if (fd >= 0 || errno != ENOENT) return fd;
        // O_EXCL: only a new regular file; a rival creating it first sends us round again.
        const int created =
            ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (created >= 0 || errno != EEXIST) return created;
    }
    return -1;
}

}  // namespace

bool AppendYearLog(const std::string& rsdFolder, int64_t t, const std::string& text) {
    const std::string path = YearLogPath(rsdFolder, t);
    CreateParentFolders(path);
    const int fd = OpenLogForAppend(path);
    if (fd < 0) return false;
    const std::string line = FormatLogLine(t, text);
    const bool written = WriteAll(fd, line.data(), line.size());
    ::close(fd);
    return written;
}

}  // namespace rad
