// Reading RSD files into a data set.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "FileLock.h"
#include "LocalTime.h"
#include "RsdData.h"
#include "RsdFileFormat.h"
#include "RsdReader.h"

namespace {

namespace rsd = rad::rsd;

// Hours either side of a day whose offsets are checked too: a change of offset just outside
// the day could make one of its hours occur twice.
constexpr int kPlainDayMargin = 3;

// Midnight of a day on which the UTC offset stays the same, also a few hours either side, so
// that its times count on from midnight; nullopt for any other day. Only the first conversion
// goes through mktime: localtime_r does not look at the zone file again on every call.
std::optional<int64_t> PlainDayStart(int year, int month, int day) {
    const auto start = rad::LocalFieldsToTime(year, month, day, 0, 0, 0);
    if (!start) return std::nullopt;
    std::optional<long> offset;
    for (int hour = -kPlainDayMargin; hour <= 24 + kPlainDayMargin; ++hour) {
        const auto tm = rad::ToLocalTm(*start + int64_t{hour} * 3600);
        if (!tm || (offset && tm->tm_gmtoff != *offset)) return std::nullopt;
        offset = tm->tm_gmtoff;
        const bool inDay = hour >= 0 && hour < 24;
        if (inDay && (tm->tm_year != year - 1900 || tm->tm_mon != month - 1 || tm->tm_mday != day ||
                      tm->tm_hour != hour || tm->tm_min != 0 || tm->tm_sec != 0))
            return std::nullopt;
    }
    return start;
}

// "%Y%m%d%H%M%S" text to seconds since 1970, local time with the system's DST rule.
// The conversion of the last day or hour seen is kept: a day file has a few thousand time
// stamps but only a few days, and each mktime asks the C library for the zone again.
class CFileTimeParser {
  public:
    int64_t Parse(std::string_view text) {
        auto part = [text](std::size_t from, std::size_t length) {
            return rad::ParseInt(from < text.size() ? text.substr(from, length)
                                                    : std::string_view());
        };
        const int year = part(0, 4), month = part(4, 2), day = part(6, 2);
        const int hour = part(8, 2), minute = part(10, 2), second = part(12, 2);
        // West of Greenwich the first hours after 1970 UTC fall on 31 December 1969 (a clock
        // that was never set); the conversion below refuses what lies before 1970 UTC.
        const bool valid = year >= 1969 && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
                           hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
                           second <= 59;
        if (!valid) Fail(text);
        const int dayKey = (year * 16 + month) * 32 + day;
        if (dayKey != m_dayKey) {
            m_dayKey = dayKey;
            m_dayStart = PlainDayStart(year, month, day);
        }
        if (m_dayStart) return *m_dayStart + hour * 3600 + minute * 60 + second;
        const int key = dayKey * 32 + hour;
        if (key != m_hourKey) {
            m_hourKey = -1;
            const auto start = rad::LocalFieldsToTime(year, month, day, hour, 0, 0);
            const auto end = rad::LocalFieldsToTime(year, month, day, hour, 59, 59);
            // Only an hour without a change of offset inside it can be counted through.
            if (start && end && *end - *start == 3599) {
                m_hourKey = key;
                m_hourStart = *start;
            }
        }
        if (key == m_hourKey) return m_hourStart + minute * 60 + second;
        const auto t = rad::LocalFieldsToTime(year, month, day, hour, minute, second);
        if (!t) Fail(text);
        return *t;
    }

  private:
    [[noreturn]] static void Fail(std::string_view text) {
        throw RsdInvalidDataError("invalid time \"" + std::string(text) + "\" in RSD file");
    }

    int m_dayKey = -1;
    std::optional<int64_t> m_dayStart;  // of a day without a change of offset
    int m_hourKey = -1;
    int64_t m_hourStart = 0;
};

void SetText(TextField& field, std::string_view value) { SetTextField(field, value); }

// Walks the blocks of one file; the tags decide, everything unknown is passed over.
class CRsdFileParser {
  public:
    CRsdFileParser(CRsdData& set, rad::RsdLineReader& lines, const RsdPayloadVisitor* visit)
        : m_set(set), m_lines(lines), m_visit(visit) {}

    void Run() {
        while (m_lines.ReadLine()) {
            const std::string_view tag = m_lines.Tag();
            if (tag == rsd::kSiteOpen) {
                ReadSiteHeader();
            } else if (tag == rsd::kRecordOpen) {
                ReadRecord();
            } else if (const int cal = rsd::ModelOfCalOpen(tag); cal >= 0) {
                ReadCalibration(cal);
            } else if (const int data = rsd::ModelOfDataOpen(tag);
                       data >= 0 && !m_set.m_arRad.empty()) {
                ReadDataBlock(data);
            }
        }
    }

  private:
    std::string FieldText(int i) const { return std::string(m_lines.Field(i)); }

    void ReadSiteHeader() {
        while (m_lines.ReadLine() && m_lines.Tag() != rsd::kSiteClose) {
            const std::string_view tag = m_lines.Tag();
            if (tag == rsd::kSite)
                m_set.m_strSite = FieldText(1);
            else if (tag == rsd::kLon)
                m_set.m_strLon = FieldText(1);
            else if (tag == rsd::kLat)
                m_set.m_strLat = FieldText(1);
            else if (tag == rsd::kAlt)
                m_set.m_strAlt = FieldText(1);
            else if (tag == rsd::kTZ)
                m_set.m_strTZ = FieldText(1);
        }
    }

    void ReadCalibration(int model) {
        auto cal = std::make_unique<SensorCal>(model);
        bool closed = false;
        while (m_lines.ReadLine()) {
            if (m_lines.Tag() == rsd::TagsOf(model).calClose) {
                closed = true;
                break;
            }
            if (m_lines.Tag() == rsd::kCalBegin) {
                m_lines.ReadFloats(cal->CAL.data(), cal->CAL.size());
                // The line after the payload may only carry text fields, never the end tag.
                if (!m_lines.ReadLine()) break;
            }
            SetCalText(*cal);
        }
        if (closed) cal->ComputeWavelengths();
        m_set.m_pCal[static_cast<std::size_t>(model)] = std::move(cal);
        ++m_set.m_nCalBlocksRead;
    }

    void SetCalText(SensorCal& cal) const {
        if (m_lines.FieldCount() < 2) return;
        const std::string_view tag = m_lines.Tag(), value = m_lines.Field(1);
        if (tag == rsd::kSN)
            SetText(cal.SN, value);
        else if (tag == rsd::kID)
            SetText(cal.ID, value);
        else if (tag == rsd::kST)
            SetText(cal.ST, value);
        else if (tag == rsd::kFV)
            SetText(cal.FV, value);
        else if (tag == rsd::kFT)
            SetText(cal.FT, value);
        for (int k = 0; k < 6; ++k)
            if (tag == rsd::kCoefficient[k]) SetText(cal.C[k], value);
    }

    void ReadRecord() {
        auto rad = std::make_unique<CRad>();
        while (m_lines.ReadLine() && m_lines.Tag() != rsd::kRecordClose) {
            if (m_lines.Tag() == rsd::kMT)
                rad->m_time = m_times.Parse(m_lines.Field(1));
            else if (m_lines.Tag() == rsd::kMemo)
                rad->m_strMemo = FieldText(1);
        }
        m_set.m_arRad.push_back(std::move(rad));
    }

    void ReadDataBlock(int model) {
        // Pixels are allocated only for payloads the file carries: a crafted file of empty
        // blocks must not cost a full block per few bytes.
        auto data = std::make_unique<SensorData>(model, SensorData::kNoPayload);
        if (m_visit != nullptr) {
            // The block replaces any earlier one of the model in this record, payloads and all.
            (*m_visit)(m_set.GetCount() - 1, model, false, {});
            (*m_visit)(m_set.GetCount() - 1, model, true, {});
        }
        while (m_lines.ReadLine() && m_lines.Tag() != rsd::TagsOf(model).dataClose) {
            if (m_lines.Tag() == rsd::kMeasuredBegin) {
                ReadPayload(data->MD, model, false);
                if (!m_lines.ReadLine()) break;
                if (m_lines.Tag() != rsd::kDarkBegin) continue;
            }
            if (m_lines.Tag() == rsd::kDarkBegin) {
                ReadPayload(data->DD, model, true);
                // Nothing may follow a dark payload in the same pass: its end line is skipped.
                if (!m_lines.ReadLine()) break;
                continue;
            }
            SetDataField(*data);
        }
        m_set.m_arRad.back()->m_pBlock[static_cast<std::size_t>(model)] = std::move(data);
    }

    void ReadPayload(std::vector<float>& payload, int model, bool dark) {
        const auto count = static_cast<std::size_t>(PixelCount(model));
        if (m_visit == nullptr) {
            m_lines.ReadFloats(payload, count);
            return;
        }
        // One buffer for every payload, warm in the cache; the block keeps none.
        m_lines.ReadFloats(m_scratch, count);
        (*m_visit)(m_set.GetCount() - 1, model, dark, m_scratch);
    }

    void SetDataField(SensorData& data) {
        const std::string_view tag = m_lines.Tag();
        if (tag == rsd::kSN && m_lines.FieldCount() >= 2)
            SetText(data.SN, m_lines.Field(1));
        else if (tag == rsd::kMT)
            data.MT = m_times.Parse(m_lines.Field(1));
        else if (tag == rsd::kET)
            data.ET = rad::ParseInt(m_lines.Field(1));
        else if (tag == rsd::kSS)
            SetStatus(data);
    }

    // Values in block order: the model's integers, then its floats; missing values stay 0.
    void SetStatus(SensorData& data) const {
        const SensorModelInfo& info = kModels[static_cast<std::size_t>(data.m_nModel)];
        int field = 1;
        for (int k = 0; k < info.statusInts; ++k)
            data.statusInt[k] = rad::ParseInt(m_lines.Field(field++));
        for (int k = 0; k < info.statusFloats; ++k)
            data.statusFloat[k] = rad::ToFloat(rad::ParseDouble(m_lines.Field(field++)));
    }

    CRsdData& m_set;
    rad::RsdLineReader& m_lines;
    const RsdPayloadVisitor* m_visit;  // null: the blocks keep their payloads
    std::vector<float> m_scratch;
    CFileTimeParser m_times;
};

int ParseAll(CRsdData& set, rad::RsdLineReader& lines, const RsdPayloadVisitor* visit = nullptr) {
    if (!lines.StartsWith(rsd::kMagic)) return kRsdBadHeader;
    CRsdFileParser(set, lines, visit).Run();
    return set.GetCount();
}

// Big enough that the reads cost little beside the copying (a system call costs microseconds
// on a virtual machine), a small part of the data set made from it.
constexpr std::size_t kReadWindow = 512 * 1024;
// A full line and the LF after it, twice: what RsdLineReader needs.
constexpr std::size_t kLeastReadWindow = 2 * (rad::RsdLineReader::kMaxLine + 1);

}  // namespace

int CRsdData::LoadFromMemory(const char* data, std::size_t length) {
    rad::RsdLineReader lines(data, length);
    return ParseAll(*this, lines);
}

namespace {

// The window of one load. One of the default size is kept for the thread's next file: the
// first touch of fresh pages can cost more than the file's reading.
class CReadWindow {
  public:
    explicit CReadWindow(std::size_t size) {
        if (size == kReadWindow && !t_keptInUse) {
            if (!t_kept) t_kept.reset(new (std::nothrow) char[kReadWindow]);
            m_data = t_kept.get();
            m_usesKept = m_data != nullptr;
            t_keptInUse = m_usesKept;
        } else {
            m_own.reset(new (std::nothrow) char[size]);
            m_data = m_own.get();
        }
    }
    ~CReadWindow() {
        if (m_usesKept) t_keptInUse = false;
    }
    CReadWindow(const CReadWindow&) = delete;
    CReadWindow& operator=(const CReadWindow&) = delete;

    char* Data() const { return m_data; }

  private:
    static thread_local std::unique_ptr<char[]> t_kept;
    static thread_local bool t_keptInUse;  // a visitor that loads another file gets its own
    std::unique_ptr<char[]> m_own;
    char* m_data = nullptr;
    bool m_usesKept = false;
};

thread_local std::unique_ptr<char[]> CReadWindow::t_kept;
thread_local bool CReadWindow::t_keptInUse = false;

// Load without the errno bookkeeping; cause gets the errno behind a negative result.
int LoadFile(CRsdData& set, const std::string& path, std::size_t readWindow,
             const RsdPayloadVisitor* visit, int& cause) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        cause = errno;
        return kRsdNoFile;
    }
    // A shared lock: an Append or Save in progress finishes before we read.
    CFileLock file = CFileLock::Open(path, O_RDONLY, CFileLock::kShared);
    if (!file) {
        cause = errno;
        return kRsdCannotOpen;
    }
    readWindow = std::max(readWindow, kLeastReadWindow);
    CReadWindow window(readWindow);
    if (!window.Data()) {
        cause = ENOMEM;
        return kRsdNoMemory;
    }
    const int fd = file.Fd();
    rad::RsdLineReader lines(window.Data(), readWindow, [fd, &cause](char* dst, std::size_t n) {
        ssize_t got;
        do got = ::read(fd, dst, n);
        while (got < 0 && errno == EINTR);
        if (got < 0) cause = errno;
        return got;
    });
    const int result = ParseAll(set, lines, visit);
    return lines.Failed() ? kRsdCannotOpen : result;
}

}  // namespace

int CRsdData::Load(const std::string& path) { return Load(path, kReadWindow); }

int CRsdData::Load(const std::string& path, std::size_t readWindow) {
    int cause = 0;
    const int result = LoadFile(*this, path, readWindow, nullptr, cause);
    errno = result < 0 ? cause : 0;
    return result;
}

int CRsdData::LoadSummary(const std::string& path, const RsdPayloadVisitor& visit) {
    int cause = 0;
    const int result = LoadFile(*this, path, kReadWindow, &visit, cause);
    errno = result < 0 ? cause : 0;
    return result;
}
