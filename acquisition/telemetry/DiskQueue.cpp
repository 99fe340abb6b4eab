#include "DiskQueue.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <map>

#include "AtomicFile.h"
#include "RegularFile.h"

namespace {

// "M <number> <qos> <topic bytes> <payload bytes>\n<topic><payload>\n" or "D <number>\n".
std::string MessageEntry(const MqttMessage& message) {
    return "M " + std::to_string(message.number) + " " + std::to_string(message.qos) + " " +
           std::to_string(message.topic.size()) + " " + std::to_string(message.payload.size()) +
           "\n" + message.topic + message.payload + "\n";
}

std::string DoneEntry(uint64_t number) { return "D " + std::to_string(number) + "\n"; }

// Reads the unsigned numbers of one header line; false when it is not count numbers.
bool ParseNumbers(std::string_view line, uint64_t* numbers, int count) {
    const char* p = line.data();
    const char* end = line.data() + line.size();
    for (int i = 0; i < count; ++i) {
        if (p == end || *p != ' ') return false;
        const auto result = std::from_chars(p + 1, end, numbers[i]);
        if (result.ec != std::errc()) return false;
        p = result.ptr;
    }
    return p == end;
}

// The messages of bytes not marked done, by number; parsing stops at the first bad entry.
std::map<uint64_t, MqttMessage> ParseQueue(std::string_view bytes) {
    std::map<uint64_t, MqttMessage> waiting;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string_view::npos) break;
        const std::string_view line = bytes.substr(pos, eol - pos);
        pos = eol + 1;
        if (line.size() < 2) break;
        uint64_t n[4] = {};
        if (line[0] == 'D' && ParseNumbers(line.substr(1), n, 1)) {
            waiting.erase(n[0]);
            continue;
        }
        if (line[0] != 'M' || !ParseNumbers(line.substr(1), n, 4) || n[1] > 2) break;
        if (n[2] > bytes.size() || n[3] > bytes.size() || bytes.size() - pos < n[2] + n[3] + 1 ||
            bytes[pos + n[2] + n[3]] != '\n')
            break;
        MqttMessage message{std::string(bytes.substr(pos, n[2])),
                            std::string(bytes.substr(pos + n[2], n[3])), static_cast<int>(n[1]),
                            false, n[0]};
        pos += n[2] + n[3] + 1;
        waiting[n[0]] = std::move(message);
    }
    return waiting;
}

// The whole file; nullopt when a read fails, so that a partial read is never taken for it.
std::optional<std::string> ReadAll(int fd) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
        if (got == 0) return bytes;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace

CDiskQueue::CDiskQueue(std::string path, std::size_t capacity)
    : m_path(std::move(path)), m_capacity(capacity) {}

CDiskQueue::~CDiskQueue() {
    if (m_fd >= 0) ::close(m_fd);
}

bool CDiskQueue::OpenForAppend() {
    if (m_fd >= 0) return true;
    m_fd = rad::OpenRegularFile(m_path, O_RDWR | O_APPEND);
    if (m_fd < 0 && errno == ENOENT)
        m_fd = ::open(m_path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    return m_fd >= 0;
}

std::optional<std::vector<MqttMessage>> CDiskQueue::ReadWaiting() {
    if (!OpenForAppend()) return std::nullopt;
    const auto bytes = ReadAll(m_fd);
    if (!bytes) return std::nullopt;
    std::vector<MqttMessage> messages;
    for (auto& [number, message] : ParseQueue(*bytes)) messages.push_back(std::move(message));
    return messages;
}

bool CDiskQueue::AppendEntry(const std::string& entry) {
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    if (end < 0) return false;
    if (rad::WriteAll(m_fd, entry.data(), entry.size())) return true;
    // A torn entry in the middle would end every later read of the file there.
    [[maybe_unused]] const int cut = ::ftruncate(m_fd, end);
    return false;
}

std::vector<MqttMessage> CDiskQueue::Load() {
    std::lock_guard lock(m_mutex);
    // Unreadable now: the file is left as it is for a later start.
    auto read = ReadWaiting();
    if (!read) return {};
    std::vector<MqttMessage> messages = std::move(*read);
    if (messages.size() > m_capacity)
        messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(
                                                                messages.size() - m_capacity));
    m_waiting.clear();
    for (const MqttMessage& message : messages) {
        m_waiting.insert(message.number);
        m_nextNumber = std::max(m_nextNumber, message.number + 1);
    }
    Rewrite(messages);
    return messages;
}

void CDiskQueue::Rewrite(const std::vector<MqttMessage>& keep) {
    m_nDoneInFile = 0;
    if (keep.empty()) {
        if (m_fd >= 0 && ::ftruncate(m_fd, 0) == 0) return;
    }
    std::string bytes;
    for (const MqttMessage& message : keep) bytes += MessageEntry(message);
    if (rad::WriteFileAtomic(m_path, bytes) != 0) return;  // the old file stays valid
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    OpenForAppend();
}

uint64_t CDiskQueue::Append(const MqttMessage& message) {
    std::lock_guard lock(m_mutex);
    if (!OpenForAppend()) return 0;
    MqttMessage numbered = message;
    numbered.number = m_nextNumber;
    const std::string entry = MessageEntry(numbered);
    if (!AppendEntry(entry)) return 0;
    m_waiting.insert(m_nextNumber);
    return m_nextNumber++;
}

void CDiskQueue::Done(uint64_t number) {
    std::lock_guard lock(m_mutex);
    if (m_waiting.erase(number) == 0) return;
    if (m_waiting.empty()) {
        Rewrite({});
        return;
    }
    const std::string entry = DoneEntry(number);
    if (m_fd >= 0 && AppendEntry(entry)) ++m_nDoneInFile;
    // Bounded file: once as many are done as may wait, only the waiting ones are kept.
    if (m_nDoneInFile < m_capacity) return;
    if (const auto waiting = ReadWaiting()) Rewrite(*waiting);
}

std::size_t CDiskQueue::Waiting() const {
    std::lock_guard lock(m_mutex);
    return m_waiting.size();
}
