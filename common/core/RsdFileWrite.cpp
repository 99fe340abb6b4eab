// Writing data sets and single records as RSD files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "AtomicFile.h"
#include "FileLock.h"
#include "LocalTime.h"
#include "RsdData.h"
#include "RsdFileFormat.h"

namespace {

namespace rsd = rad::rsd;

// Text and payloads are collected here and go to the file in large writes.
constexpr std::size_t kFlushSize = std::size_t{1} << 20;

class CRsdText {
  public:
    std::string& Bytes() { return m_out; }

    void Line(std::string_view tag) {
        m_out.append(tag);
        m_out.push_back('\n');
    }
    void Line(std::string_view tag, std::string_view value) {
        m_out.append(tag);
        m_out.push_back(',');
        m_out.append(value);
        m_out.push_back('\n');
    }
    void Open(std::string_view tag) { Line(tag, rsd::kVersion); }
    void Text(std::string_view tag, const TextField& field) {
        Line(tag, std::string_view(field, strnlen(field, kTextFieldSize)));
    }
    void Time(int64_t t) { Line(rsd::kMT, rad::FormatLocalTime(t, rsd::kTimeFormat)); }

    void Status(const SensorData& data, const SensorModelInfo& info) {
        char number[64];
        m_out.append(rsd::kSS);
        for (int k = 0; k < info.statusInts; ++k) {
            std::snprintf(number, sizeof number, ",%d", data.statusInt[k]);
            m_out.append(number);
        }
        for (int k = 0; k < info.statusFloats; ++k) {
            std::snprintf(number, sizeof number, ",%.1f", static_cast<double>(data.statusFloat[k]));
            m_out.append(number);
        }
        m_out.push_back('\n');
    }

    // Exactly pixels floats, little-endian; a short array is padded with zeros so that the
    // payload always has the length the reader expects.
    void Payload(std::string_view begin, const std::vector<float>& values, int pixels,
                 std::string_view end) {
        Line(begin);
        const std::size_t n = std::min(values.size(), static_cast<std::size_t>(pixels));
        const std::size_t at = m_out.size();
        m_out.resize(at + static_cast<std::size_t>(pixels) * sizeof(float), '\0');
        char* dst = m_out.data() + at;
        if constexpr (std::endian::native == std::endian::little) {
            // A block read without a payload has no pixels, and no data pointer either.
            if (n > 0) std::memcpy(dst, values.data(), n * sizeof(float));
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                const auto bits = std::bit_cast<uint32_t>(values[i]);
                for (int b = 0; b < 4; ++b) dst[4 * i + b] = static_cast<char>(bits >> (8 * b));
            }
        }
        Line(end);
    }

    void SiteHeader(const CRsdData& set) {
        Open(rsd::kSiteOpen);
        Line(rsd::kSite, set.m_strSite);
        Line(rsd::kLon, set.m_strLon);
        Line(rsd::kLat, set.m_strLat);
        Line(rsd::kAlt, set.m_strAlt);
        Line(rsd::kTZ, set.m_strTZ);
        Line(rsd::kSiteClose);
    }

    void Calibration(int model, const SensorCal& cal) {
        const rsd::ModelTags& tags = rsd::TagsOf(model);
        Open(tags.calOpen);
        Text(rsd::kSN, cal.SN);
        Text(rsd::kID, cal.ID);
        Text(rsd::kST, cal.ST);
        Text(rsd::kFV, cal.FV);
        Text(rsd::kFT, cal.FT);
        for (int k = 0; k < 6; ++k) Text(rsd::kCoefficient[k], cal.C[k]);
        Payload(rsd::kCalBegin, cal.CAL, PixelCount(model), rsd::kCalEnd);
        Line(tags.calClose);
    }

    // Throws std::invalid_argument when a time has no local form.
    void Record(const CRad& rad) {
        Open(rsd::kRecordOpen);
        Time(rad.m_time);
        Line(rsd::kMemo, rad.m_strMemo);
        Line(rsd::kRecordClose);
        for (int model = 0; model < kModelCount; ++model) {
            if (const SensorData* data = rad.Block(model)) DataBlock(model, *data);
        }
    }

  private:
    void DataBlock(int model, const SensorData& data) {
        const rsd::ModelTags& tags = rsd::TagsOf(model);
        const SensorModelInfo& info = kModels[static_cast<std::size_t>(model)];
        char number[16];
        Open(tags.dataOpen);
        Text(rsd::kSN, data.SN);
        Time(data.MT);
        std::snprintf(number, sizeof number, "%d", data.ET);
        Line(rsd::kET, number);
        Status(data, info);
        // A block read without a payload is written back without one: a file of empty blocks
        // must not grow by a whole payload per few bytes.
        if (!data.MD.empty()) Payload(rsd::kMeasuredBegin, data.MD, info.pixels, rsd::kMeasuredEnd);
        if (!data.DD.empty()) Payload(rsd::kDarkBegin, data.DD, info.pixels, rsd::kDarkEnd);
        Line(tags.dataClose);
    }

    std::string m_out;
};

}  // namespace

bool CRsdData::Save(const std::string& path) const {
    // Writers of the same file wait for each other; a missing target has no writer yet.
    CFileLock target = CFileLock::Open(path, O_RDONLY, CFileLock::kExclusive);
    if (!target && errno != ENOENT) return false;
    rad::CAtomicFile file(path);
    if (file.Error() != 0) {
        errno = file.Error();
        return false;
    }

    CRsdText text;
    std::string& bytes = text.Bytes();
    bytes.reserve(kFlushSize + 64 * 1024);
    auto flush = [&](std::size_t threshold) {
        if (bytes.size() < threshold) return true;
        const bool ok = file.Write(bytes);
        bytes.clear();
        return ok;
    };
    text.SiteHeader(*this);
    for (int model = 0; model < kModelCount; ++model) {
        if (const SensorCal* cal = GetCal(model)) text.Calibration(model, *cal);
    }
    for (const auto& rad : m_arRad) {
        text.Record(*rad);
        if (!flush(kFlushSize)) break;
    }
    flush(0);
    errno = file.Commit();
    return errno == 0;
}

bool CRsdData::Append(const std::string& path, const CRad& rad) const {
    CRsdText text;
    text.Record(rad);  // an unconvertible time throws before the file is touched
    CFileLock file = CFileLock::Open(path, O_WRONLY | O_APPEND, CFileLock::kExclusive);
    if (!file) return false;
    struct stat st {};
    if (::fstat(file.Fd(), &st) != 0) return false;
    if (rad::WriteAll(file.Fd(), text.Bytes().data(), text.Bytes().size())) return true;
    // Disk full or the like: take back the part of the record that got written. When even
    // that fails the reader still stops cleanly at the cut record.
    [[maybe_unused]] const int undone = ::ftruncate(file.Fd(), st.st_size);
    return false;
}
