#include "Wire.h"

#include <cstdlib>
#include <cstring>

namespace rad {

LineBuffer::State LineBuffer::Put(char byte) {
    if (m_len < m_size - 1) {
        m_buf[m_len++] = byte;
        m_buf[m_len] = '\0';
        if (byte == '\r') return kComplete;
        return kPartial;
    }
    m_cut = true;
    if (byte == '\r') return kOverlong;
    return kPartial;
}

int SplitFields(char* line, const char** fields, int maxFields) {
    int count = 0;
    char* p = line;
    while (*p != '\0' && count < maxFields - 1) {
        while (*p == ',' || *p == '\r') ++p;
        if (*p == '\0') break;
        fields[count++] = p;
        while (*p != '\0' && *p != ',' && *p != '\r') ++p;
        if (*p != '\0') *p++ = '\0';
    }
    fields[count] = nullptr;
    return count;
}

bool ReplyAccepted(const char* const* fields, int count) {
    return count > 0 && std::strcmp(fields[count - 1], "OK") == 0;
}

std::string JoinDateTime(const char* const* fields, int count) {
    if (count <= 0) return {};
    std::string text = fields[0];
    // The last field is the "OK"; a second value exists only before it.
    if (count >= 3) text.append(" ").append(fields[1]);
    return text;
}

void ParseStatusValues(const char* const* fields, int count, std::int32_t* ints, int nInts,
                       float* floats, int nFloats) {
    const int values = count - 1;  // the final "OK" is no value
    for (int i = 0; i < nInts; ++i) {
        ints[i] = i < values ? static_cast<std::int32_t>(std::strtol(fields[i], nullptr, 10)) : 0;
    }
    for (int i = 0; i < nFloats; ++i) {
        const int f = nInts + i;
        floats[i] = f < values ? static_cast<float>(std::strtod(fields[f], nullptr)) : 0.0f;
    }
}

float FloatAt(const unsigned char* block, int k) {
    const std::uint32_t bits = static_cast<std::uint32_t>(block[4 * k]) |
                               static_cast<std::uint32_t>(block[4 * k + 1]) << 8 |
                               static_cast<std::uint32_t>(block[4 * k + 2]) << 16 |
                               static_cast<std::uint32_t>(block[4 * k + 3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace rad
