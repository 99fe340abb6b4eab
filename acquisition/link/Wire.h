#pragma once

#include <cstdint>
#include <string>

// The sensors' wire framing, free of any port: CR-terminated comma lines and little-endian blocks.
namespace rad {

// Collects the bytes of one reply line into a fixed buffer that is never overrun: a line too long
// for it keeps its first size-1 characters, the rest up to the CR is dropped and the line is bad.
class LineBuffer {
  public:
    enum State { kPartial, kComplete, kOverlong };

    LineBuffer(char* buffer, int size) : m_buf(buffer), m_size(size) {}
    State Put(char byte);
    int Length() const { return m_len; }

  private:
    char* m_buf;
    int m_size;
    int m_len = 0;
    bool m_cut = false;
};

// Splits a reply line in place at commas and CR; runs of separators count as one. Stores at most
// maxFields-1 field pointers followed by a null entry and returns the number stored.
int SplitFields(char* line, const char** fields, int maxFields);
// True when the last stored field is exactly "OK".
bool ReplyAccepted(const char* const* fields, int count);
// The FT text: the first two values joined by one space, or the only value there is.
std::string JoinDateTime(const char* const* fields, int count);
// Converts the values of a status reply; values the line does not carry read as 0.
void ParseStatusValues(const char* const* fields, int count, std::int32_t* ints, int nInts,
                       float* floats, int nFloats);

inline std::int16_t PixelAt(const unsigned char* block, int k) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(block[2 * k] | block[2 * k + 1] << 8));
}
float FloatAt(const unsigned char* block, int k);

}  // namespace rad
