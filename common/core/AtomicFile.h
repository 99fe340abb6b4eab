#pragma once

// Replacing a file so that a crash at any moment leaves either the old or the new file whole.
//
// The new content goes to a temporary file beside the target, named
// "<name>.saving-<pid>-<n>.tmp" (a name near the length limit cut short to leave room for the
// rest), is flushed to disk and renamed over the target. A save that
// was killed leaves such a file behind; the next save of the same target removes those older
// than a minute whose process is gone.
//
// A symlink is followed: the file it points to is replaced and the link stays. The owner,
// group and mode of the old file are kept where the process may set them. A file with more
// than one hard link gets a new file under this path and the other names keep the old
// content: writing in place would keep the links but could leave half a file after a crash.

#include <cstddef>
#include <string>
#include <string_view>

namespace rad {

// Writes all of data to fd, going on after interrupted and short writes. False with errno
// set when the file takes no more.
bool WriteAll(int fd, const void* data, std::size_t size);

// Replaces path with bytes. Returns 0, or the errno of the step that failed (for a FIFO or
// device rad::kErrNotRegularFile); the old file is then untouched.
int WriteFileAtomic(const std::string& path, std::string_view bytes);

// The same for content produced in pieces: Write as often as needed, then Commit. Destroying
// it without a successful Commit removes the temporary file and leaves the target as it was.
class CAtomicFile {
  public:
    explicit CAtomicFile(const std::string& path);
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
    ~CAtomicFile();

    // 0 while every step so far worked, else the errno of the first that failed.
    int Error() const { return m_error; }
    bool Write(std::string_view bytes);
    // Returns 0 or an errno, like WriteFileAtomic.
    int Commit();

    // The file that is replaced: path with its symlinks followed.
    const std::string& Target() const { return m_target; }
    const std::string& TempPath() const { return m_temp; }

  private:
    void Fail(int error);

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    int m_error = 0;
    bool m_committed = false;
};

// path with its symlinks followed to the file they name, which need not exist yet. Returns
// false with errno ELOOP for a loop.
bool FollowSymlinks(const std::string& path, std::string& target);

// Removes the temporary files that killed saves of target left: older than maxAgeSeconds by
// now (seconds since the epoch) and written by a process that is gone. Returns how many.
int RemoveStaleTempFiles(const std::string& target, long long now, long long maxAgeSeconds);

}  // namespace rad
