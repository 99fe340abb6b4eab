#include "RsdReader.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace rad {
namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

bool RsdLineReader::ReadLine()
{
    m_count = 0;
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

void RsdLineReader::Split(const char* line, std::size_t length)
{
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

std::size_t RsdLineReader::ReadFloats(float* out, std::size_t count)
{
    const std::size_t bytes = std::min(count * sizeof(float), m_length - m_pos);
    const char* src = m_data + m_pos;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, src, bytes);
    } else {
        auto* dst = reinterpret_cast<unsigned char*>(out);
        for (std::size_t i = 0; i < bytes; ++i) dst[i - i % 4 + 3 - i % 4] = static_cast<unsigned char>(src[i]);
    }
    m_pos += bytes;
    return bytes;
}

int32_t ParseInt(std::string_view text)
{
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

double ParseDouble(std::string_view text)
{
    char buffer[RsdLineReader::kMaxFieldLength + 1];
    const std::size_t n = std::min(text.size(), sizeof buffer - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return std::strtod(buffer, nullptr);
}

float ToFloat(double value)
{
    if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace rad
