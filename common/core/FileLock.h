#pragma once

#include <string>

// An open file that holds an advisory lock (flock) and is still the file its path names.
//
// The lock sits on the file itself, not on a lock file beside it: no stray files appear
// next to the day files. Because Save replaces a file by renaming a new one over it, a
// writer that waited for the lock may wake up holding the old, unlinked file; Open then
// notices that the path names another file now and locks that one instead, so an Append
// never lands in a file that Save has just replaced.
class CFileLock {
  public:
    enum Mode { kShared, kExclusive };

    CFileLock() = default;
    CFileLock(CFileLock&& other) noexcept;
    CFileLock& operator=(CFileLock&& other) noexcept;
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;
    ~CFileLock();

    // Opens an existing regular file with flags (O_CREAT is never added) and waits for the
    // lock. The result is closed (false) when the path cannot be opened or names no regular
    // file (refused without blocking); errno tells why (see rad::OpenRegularFile).
    static CFileLock Open(const std::string& path, int flags, Mode mode);

    explicit operator bool() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    // Releases the lock and closes the file.
    void Close();

  private:
    explicit CFileLock(int fd) : m_fd(fd) {}
    int m_fd = -1;
};
