#pragma once

#include <string>
#include <string_view>

namespace rad {

// Length of the well-formed UTF-8 sequence that starts at text[i], or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Free text as valid UTF-8. The files store text as bytes without an encoding, so a memo may
// come from any editor: it is taken as UTF-8 when it is valid UTF-8, otherwise as Shift_JIS
// (Windows code page 932, as Japanese Windows writes it) when it decodes as that, otherwise
// as Latin-1, which every byte string is.
std::string ToUtf8(std::string_view bytes);

}  // namespace rad
