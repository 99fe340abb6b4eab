#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The lexical layer of the RSD reader: lines, fields, payloads and number conversion,
// on bytes in memory or streamed from a file through a small window.
namespace rad {

class RsdLineReader {
  public:
    static constexpr std::size_t kMaxLine = 256;        // longer lines are read as several lines
    static constexpr int kMaxFields = 16;               // further fields of a line are ignored
    static constexpr std::size_t kMaxFieldLength = 31;  // what fits a 32-byte text field

    // Fills dst with at most n further bytes: the count, 0 at the end, -1 on a read error.
    using Source = std::function<ssize_t(char* dst, std::size_t n)>;

    // Reads bytes that are all in memory.
    RsdLineReader(const char* data, std::size_t length) : m_data(data), m_length(length) {}
    // Streams from source through window (at least 2 * kMaxLine bytes): a whole file never
    // has to sit in memory beside the data set made from it.
    RsdLineReader(char* window, std::size_t windowSize, Source source);

    // True when the next bytes are text (no line is consumed).
    bool StartsWith(std::string_view text);
    // True once the source has reported a read error; the reader then sees the end.
    bool Failed() const { return m_failed; }
    // Bytes consumed so far; meaningful for bytes in memory only.
    std::size_t Offset() const { return m_pos; }

    // Reads the next line and splits it into fields. False when no line is left: the data
    // has ended or the line is empty (the LF of an empty line is consumed).
    bool ReadLine();
    int FieldCount() const { return m_count; }
    // Field i of the current line, "" beyond the last one. Field 0 is the tag.
    std::string_view Field(int i) const {
        return i >= 0 && i < m_count && i < kMaxFields ? m_fields[i] : std::string_view();
    }
    std::string_view Tag() const { return Field(0); }
    // Copies up to 4 * count bytes of little-endian float32 from the read position into out
    // (fewer when the data ends first; the rest of out is left alone). Returns the bytes read.
    std::size_t ReadFloats(float* out, std::size_t count);
    // The same into a vector that is sized to count on the way, without zero-filling what
    // is copied at once; zeros only after the bytes of a payload cut by the end of the data.
    std::size_t ReadFloats(std::vector<float>& out, std::size_t count);

  private:
    void Split(const char* line, std::size_t length);
    // Makes at least want bytes available from the read position unless the data ends first.
    void Fill(std::size_t want);
    // One call of the source into dst; marks the end or a read error. Returns the bytes got.
    std::size_t Pull(char* dst, std::size_t n);

    const char* m_data;
    std::size_t m_length;  // bytes of m_data that are valid
    char* m_window = nullptr;
    std::size_t m_windowSize = 0;
    Source m_source;
    bool m_ended = true;
    bool m_failed = false;
    std::size_t m_pos = 0;
    std::string_view m_fields[kMaxFields];
    int m_count = 0;
};

// Leading decimal integer like atoi (spaces, sign, digits), saturated to the int32 range;
// 0 when there is none.
int32_t ParseInt(std::string_view text);
// Leading decimal number like atof; 0 when there is none.
double ParseDouble(std::string_view text);
// double to float; values beyond the float range become infinities instead of undefined.
float ToFloat(double value);

}  // namespace rad
