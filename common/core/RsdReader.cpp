#include "RsdReader.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <utility>

namespace rad {
namespace {

bool IsSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Little-endian float32 in bytes, read one by one: a vector assigned from it is filled in
// one pass, where resize and copy would write every byte twice. Random access, so that the
// vector sizes itself without walking the range first.
class CLittleEndianFloats {
  public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = float;
    using difference_type = std::ptrdiff_t;
    using pointer = const float*;
    using reference = float;

    explicit CLittleEndianFloats(const char* p) : m_p(p) {}
    float operator*() const {
        uint32_t bits;
        std::memcpy(&bits, m_p, sizeof bits);
        if constexpr (std::endian::native == std::endian::big) {
            bits =
                (bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) | (bits << 24);
        }
        return std::bit_cast<float>(bits);
    }
    float operator[](difference_type n) const { return *(*this + n); }
    CLittleEndianFloats& operator++() { return *this += 1; }
    CLittleEndianFloats operator++(int) {
        CLittleEndianFloats before = *this;
        ++*this;
        return before;
    }
    CLittleEndianFloats& operator--() { return *this -= 1; }
    CLittleEndianFloats operator--(int) {
        CLittleEndianFloats before = *this;
        --*this;
        return before;
    }
    CLittleEndianFloats& operator+=(difference_type n) {
        m_p += n * static_cast<difference_type>(sizeof(float));
        return *this;
    }
    CLittleEndianFloats& operator-=(difference_type n) { return *this += -n; }
    friend CLittleEndianFloats operator+(CLittleEndianFloats it, difference_type n) {
        return it += n;
    }
    friend difference_type operator-(const CLittleEndianFloats& a, const CLittleEndianFloats& b) {
        return (a.m_p - b.m_p) / static_cast<difference_type>(sizeof(float));
    }
    auto operator<=>(const CLittleEndianFloats&) const = default;

  private:
    const char* m_p;
};

}  // namespace

RsdLineReader::RsdLineReader(char* window, std::size_t windowSize, Source source)
    : m_data(window),
      m_length(0),
      m_window(window),
      m_windowSize(windowSize),
      m_source(std::move(source)),
      m_ended(false) {}

void RsdLineReader::Fill(std::size_t want) {
    if (m_ended || m_length - m_pos >= want) return;
    const std::size_t left = m_length - m_pos;
    std::memmove(m_window, m_window + m_pos, left);
    m_pos = 0;
    m_length = left;
    while (m_length < want && !m_ended)
        m_length += Pull(m_window + m_length, m_windowSize - m_length);
}

std::size_t RsdLineReader::Pull(char* dst, std::size_t n) {
    const ssize_t got = m_source(dst, n);
    if (got < 0) m_failed = true;
    if (got <= 0) {
        m_ended = true;
        return 0;
    }
    return static_cast<std::size_t>(got);
}

bool RsdLineReader::StartsWith(std::string_view text) {
    Fill(text.size());
    return m_length - m_pos >= text.size() &&
           std::memcmp(m_data + m_pos, text.data(), text.size()) == 0;
}

bool RsdLineReader::ReadLine() {
    m_count = 0;
    Fill(kMaxLine + 1);  // the line and the LF that may follow a full one
    const char* start = m_data + m_pos;
    const std::size_t limit = std::min(m_length - m_pos, kMaxLine);
    const void* lf = std::memchr(start, '\n', limit);
    std::size_t n;
    if (lf) {
        n = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
        m_pos += n + 1;
    } else {
        n = limit;
        m_pos += n;
        // A line that exactly fills the buffer owns the LF behind it; leaving it would read
        // as an empty line and cut the block short.
        if (n == kMaxLine && m_pos < m_length && m_data[m_pos] == '\n') ++m_pos;
    }
    if (n == 0) return false;
    Split(start, n);
    return true;
}

void RsdLineReader::Split(const char* line, std::size_t length) {
    // The line is text: a NUL byte ends it.
    const void* nul = std::memchr(line, '\0', length);
    const char* end = nul ? static_cast<const char*>(nul) : line + length;
    const char* p = line;
    while (p < end && m_count < kMaxFields) {
        while (p < end && IsSeparator(*p)) ++p;
        const char* begin = p;
        while (p < end && !IsSeparator(*p)) ++p;
        if (p == begin) break;
        const std::size_t n = std::min(static_cast<std::size_t>(p - begin), kMaxFieldLength);
        m_fields[m_count++] = std::string_view(begin, n);
    }
}

std::size_t RsdLineReader::ReadFloats(float* out, std::size_t count) {
    auto* dst = reinterpret_cast<char*>(out);
    const std::size_t wanted = count * sizeof(float);
    // What the window holds already, then the rest straight from the source into out: the
    // payloads are nearly all of a file, and one copy of them is enough.
    std::size_t copied = std::min(wanted, m_length - m_pos);
    if (copied > 0) std::memcpy(dst, m_data + m_pos, copied);
    m_pos += copied;
    while (copied < wanted && !m_ended) copied += Pull(dst + copied, wanted - copied);
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i + sizeof(float) <= copied; i += sizeof(float)) {
            std::swap(dst[i], dst[i + 3]);
            std::swap(dst[i + 1], dst[i + 2]);
        }
    }
    return copied;
}

std::size_t RsdLineReader::ReadFloats(std::vector<float>& out, std::size_t count) {
    const std::size_t wanted = count * sizeof(float);
    if (m_window != nullptr && wanted > m_windowSize) {
        out.assign(count, 0.0f);
        return ReadFloats(out.data(), count);
    }
    Fill(wanted);
    const std::size_t got = std::min(wanted, m_length - m_pos);
    const std::size_t whole = got - got % sizeof(float);
    const char* src = m_data + m_pos;
    out.assign(CLittleEndianFloats(src), CLittleEndianFloats(src + whole));
    if (got < wanted) {
        out.resize(count, 0.0f);
        // The bytes of a last, incomplete float are kept as they came.
        std::memcpy(reinterpret_cast<char*>(out.data()) + whole, src + whole, got - whole);
    }
    m_pos += got;
    return got;
}

int32_t ParseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min(value, kLimit - 1));
}

double ParseDouble(std::string_view text) {
    // from_chars is several times faster than strtod on the status values of every block and
    // rounds the same; what it does not take (hex, out of range) still goes through strtod.
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::string_view rest = text.substr(i);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) return 0.0;  // one sign only
    const bool hex = rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X');
    double value = 0.0;
    if (!hex) {
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error == std::errc()) return negative ? -value : value;
        if (error == std::errc::invalid_argument) return 0.0;  // no number: no sign either
    }
    char buffer[RsdLineReader::kMaxFieldLength + 1];
    const std::size_t n = std::min(text.size(), sizeof buffer - 1);
    if (n > 0) std::memcpy(buffer, text.data(), n);  // an empty view may have no data pointer
    buffer[n] = '\0';
    return std::strtod(buffer, nullptr);
}

float ToFloat(double value) {
    if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace rad
