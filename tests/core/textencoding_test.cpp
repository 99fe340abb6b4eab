// Free text taken as UTF-8, else Shift_JIS (CP932), else Latin-1: always valid UTF-8 out.
#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    std::string bytes;
    std::string utf8;
};

TEST(TextEncoding, TakesUtf8ThenShiftJisThenLatin1) {
    const Case cases[] = {
        {"ASCII", "ARVEN SOLIS", "ARVEN SOLIS"},
        {"empty", "", ""},
        {"UTF-8 kept", "Caf\xc3\xa9 \xe6\x97\xa5\xf0\x9f\x8c\x9e",
         "Caf\xc3\xa9 \xe6\x97\xa5\xf0\x9f\x8c\x9e"},
        {"Shift_JIS", "\x93\xfa\x96\x7b\x8c\xea", "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"},
        {"CP932 NEC circled one", "\x87\x40", "\xe2\x91\xa0"},
        {"CP932 backslash stays a backslash", "C:\\\x8c\xa4", "C:\\\xe7\xa0\x94"},
        {"Latin-1 at the end", "Caf\xe9", "Caf\xc3\xa9"},
        {"Latin-1 mid-text", "D\xfcsseldorf \xe9t\xe9", "D\xc3\xbcsseldorf \xc3\xa9t\xc3\xa9"},
        {"a lone Shift_JIS lead byte", "\x93", "\xc2\x93"},
        {"Shift_JIS after a failed conversion", "\x93\xfa", "\xe6\x97\xa5"},
        {"overlong UTF-8 reads as half-width katakana", "\xc0\xaf", "\xef\xbe\x80\xef\xbd\xaf"},
        {"UTF-8 surrogate is not UTF-8", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"},
        {"cut UTF-8 sequence", "ab\xe6", "ab\xc3\xa6"},
    };
    for (const Case& c : cases) {
        const std::string text = rad::ToUtf8(c.bytes);
        EXPECT_EQ(text, c.utf8) << c.what;
        EXPECT_TRUE(rad::IsValidUtf8(text)) << c.what;
    }
}

TEST(TextEncoding, EveryByteStringComesOutValid) {
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; second += 5) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second), '\xe9'};
            EXPECT_TRUE(rad::IsValidUtf8(rad::ToUtf8(bytes))) << first << " " << second;
        }
}

}  // namespace
