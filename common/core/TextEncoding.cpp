#include "TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>

namespace rad {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range the second byte must lie in
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;   // overlong
        if (lead == 0xed) high = 0x9f;  // surrogates
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;   // overlong
        if (lead == 0xf4) high = 0x8f;  // past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xc0) != 0x80) return 0;
    return length;
}

namespace {

// One converter per thread for its lifetime: a series of records with the same CP932 memo
// converts it row by row.
class CCp932Converter {
  public:
    CCp932Converter() : m_cd(iconv_open("UTF-8", "CP932")) {}
    ~CCp932Converter() {
        if (Usable()) iconv_close(m_cd);
    }
    CCp932Converter(const CCp932Converter&) = delete;
    CCp932Converter& operator=(const CCp932Converter&) = delete;
    bool Usable() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Back to the initial state after an earlier conversion, failed or not.
    iconv_t Reset() {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

  private:
    iconv_t m_cd;
};

std::optional<std::string> DecodeCp932(std::string_view bytes) {
    thread_local CCp932Converter cp932;
    if (!cp932.Usable()) return std::nullopt;
    const iconv_t converter = cp932.Reset();
    std::string out(bytes.size() * 3, '\0');  // a CP932 character takes at most 3 UTF-8 bytes
    std::string in(bytes);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string DecodeLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xc0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string ToUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    if (std::optional<std::string> text = DecodeCp932(bytes)) return *std::move(text);
    return DecodeLatin1(bytes);
}

}  // namespace rad
