#include "RsdTail.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "AtomicFile.h"
#include "FileLock.h"
#include "RsdData.h"
#include "RsdFileFormat.h"
#include "RsdReader.h"

namespace {

namespace rsd = rad::rsd;

constexpr std::string_view kRecordLine = "DT_RSD,100\n";

// Walks the blocks the way the reader does, without values: only whether each block was
// closed, and where it ended.
class CTailScanner {
  public:
    explicit CTailScanner(std::string_view bytes)
        : m_bytes(bytes), m_lines(bytes.data(), bytes.size()) {}

    std::size_t Run() {
        std::size_t recordStart = 0;
        bool haveRecord = false;
        for (;;) {
            const std::size_t lineStart = m_lines.Offset();
            // No line left: the end of the data, or a blank line where the reader stops.
            if (!m_lines.ReadLine()) return lineStart;
            const std::string_view tag = m_lines.Tag();
            bool inRecord = false;
            bool closed = true;  // a line the reader passes over is whole once it has ended
            if (tag == rsd::kSiteOpen) {
                closed = SkipUntil(rsd::kSiteClose);
            } else if (tag == rsd::kRecordOpen) {
                recordStart = lineStart;
                haveRecord = inRecord = true;
                closed = SkipUntil(rsd::kRecordClose);
            } else if (const int cal = rsd::ModelOfCalOpen(tag); cal >= 0) {
                closed = SkipCalibration(cal);
            } else if (const int data = rsd::ModelOfDataOpen(tag); data >= 0 && haveRecord) {
                inRecord = true;
                closed = SkipDataBlock(data);
            }
            if (closed && LineEnded()) continue;
            // A line cut before its tag is whole could open the next record or the next
            // block of this one; a new record is what leaves the most whole records.
            const std::string_view cutLine = m_bytes.substr(lineStart);
            const bool mayOpenRecord = std::string_view(kRecordLine).starts_with(cutLine);
            return (inRecord || (haveRecord && !mayOpenRecord)) ? recordStart : lineStart;
        }
    }

  private:
    // False when the data ends inside the line just read, before its LF.
    bool LineEnded() const {
        return m_lines.Offset() < m_bytes.size() || (!m_bytes.empty() && m_bytes.back() == '\n');
    }

    bool SkipUntil(std::string_view close) {
        while (m_lines.ReadLine()) {
            if (m_lines.Tag() == close) return true;
        }
        return false;
    }

    bool SkipCalibration(int model) {
        while (m_lines.ReadLine()) {
            if (m_lines.Tag() == rsd::TagsOf(model).calClose) return true;
            if (m_lines.Tag() == rsd::kCalBegin && !SkipPayloadAndReadLine(model)) return false;
        }
        return false;
    }

    // The reader's order: the line after a measured payload may open the dark one, and the
    // line after a dark payload is never the closing tag.
    bool SkipDataBlock(int model) {
        while (m_lines.ReadLine()) {
            if (m_lines.Tag() == rsd::TagsOf(model).dataClose) return true;
            if (m_lines.Tag() == rsd::kMeasuredBegin) {
                if (!SkipPayloadAndReadLine(model)) return false;
                if (m_lines.Tag() != rsd::kDarkBegin) continue;
            }
            if (m_lines.Tag() == rsd::kDarkBegin && !SkipPayloadAndReadLine(model)) return false;
        }
        return false;
    }

    bool SkipPayloadAndReadLine(int model) {
        const std::size_t floats = static_cast<std::size_t>(PixelCount(model));
        const std::size_t got = m_lines.ReadFloats(m_scratch.data(), floats);
        return got == floats * sizeof(float) && m_lines.ReadLine();
    }

    std::string_view m_bytes;
    rad::RsdLineReader m_lines;
    std::vector<float> m_scratch = std::vector<float>(kMaxPixels);
};

// Reads the whole of an open file.
bool ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Creates "<path>.cut-<n>" for the first free n and writes bytes to it; "" with errno set.
std::string WriteSideFile(const std::string& path, std::string_view bytes) {
    for (int n = 1; n < 10000; ++n) {
        std::string side = path + ".cut-" + std::to_string(n);
        const int fd = ::open(side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return {};
        bool ok = rad::WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
        const int error = errno;
        ok = ::close(fd) == 0 && ok;
        if (ok) return side;
        ::unlink(side.c_str());
        errno = error;
        return {};
    }
    errno = EEXIST;
    return {};
}

rad::RsdRepairResult Failed(int error) {
    rad::RsdRepairResult result;
    result.outcome = rad::RsdRepairResult::kFailed;
    result.error = error != 0 ? error : EIO;
    return result;
}

}  // namespace

namespace rad {

std::optional<std::size_t> FindCompleteEnd(std::string_view bytes) {
    if (bytes.substr(0, rsd::kMagic.size()) != rsd::kMagic) return std::nullopt;
    return CTailScanner(bytes).Run();
}

RsdRepairResult RepairRsdTail(const std::string& path, std::string* content) {
    if (content) content->clear();
    // Appenders and savers of the same file wait until it is whole again.
    CFileLock file = CFileLock::Open(path, O_RDONLY, CFileLock::kExclusive);
    if (!file) return errno == ENOENT ? RsdRepairResult{} : Failed(errno);
    std::string bytes;
    if (!ReadAll(file.Fd(), bytes)) return Failed(errno);
    const std::optional<std::size_t> end = FindCompleteEnd(bytes);
    RsdRepairResult result;
    if (!end) {
        result.outcome = RsdRepairResult::kNotRsd;
        if (content) *content = std::move(bytes);
        return result;
    }
    result.keptBytes = *end;
    result.cutBytes = bytes.size() - *end;
    if (result.cutBytes == 0) {
        if (content) *content = std::move(bytes);
        return result;
    }

    result.sidePath = WriteSideFile(path, std::string_view(bytes).substr(*end));
    if (result.sidePath.empty()) return Failed(errno);
    if (*end == 0) {
        if (::unlink(path.c_str()) != 0) return Failed(errno);
    } else if (const int error = WriteFileAtomic(path, std::string_view(bytes).substr(0, *end))) {
        return Failed(error);
    }
    result.outcome = RsdRepairResult::kRepaired;
    if (content) {
        bytes.resize(*end);
        *content = std::move(bytes);
    }
    return result;
}

std::string WriteRecoveryFile(const std::string& folder, std::string_view stem,
                              const CRsdData& set) {
    const std::string base = folder + (folder.ends_with('/') ? "" : "/") + std::string(stem);
    for (int n = 1; n < 10000; ++n) {
        std::string path = base + "-recovered-" + std::to_string(n) + ".RSD";
        // The empty file claims the name; Save then replaces it whole.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return {};
        ::close(fd);
        if (set.Save(path)) return path;
        const int error = errno;
        ::unlink(path.c_str());
        errno = error;
        return {};
    }
    errno = EEXIST;
    return {};
}

}  // namespace rad
