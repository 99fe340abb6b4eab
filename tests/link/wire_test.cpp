#include "Wire.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitToStrings(std::string line, int maxFields = 16) {
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    const char* fields[16];
    const int n = rad::SplitFields(buffer.data(), fields, maxFields);
    EXPECT_EQ(fields[n], nullptr);
    return {fields, fields + n};
}

TEST(WireFraming, SplitsRepliesAndJudgesTheirLastField) {
    const struct {
        std::string line;
        std::vector<std::string> fields;
        bool accepted;
    } cases[] = {
        {"ABC,OK\r", {"ABC", "OK"}, true},
        {"ABC,NG\r", {"ABC", "NG"}, false},
        {"OK\r", {"OK"}, true},
        {"12,,3,OK\r", {"12", "3", "OK"}, true},
        {",,\r", {}, false},
        {"ok\r", {"ok"}, false},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,OK,16,OK\r",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "OK"},
         true},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> fields = SplitToStrings(c.line);
        EXPECT_EQ(fields, c.fields) << c.line;
        std::vector<const char*> ptrs;
        for (const auto& f : fields) ptrs.push_back(f.c_str());
        EXPECT_EQ(rad::ReplyAccepted(ptrs.data(), static_cast<int>(ptrs.size())), c.accepted)
            << c.line;
    }
}

// The factory date joins its two values and tolerates one; short status replies read missing
// values as zero.
TEST(WireFraming, FactoryDateAndShortStatusReplies) {
    const char* both[] = {"2015/04/01", "10:20:30", "OK"};
    EXPECT_EQ(rad::JoinDateTime(both, 2), "2015/04/01");

    const char* fields[] = {"1", "25.5", "12", "OK"};
    std::int32_t ints[4] = {9, 9, 9, 9};
    float floats[6] = {9, 9, 9, 9, 9, 9};
    rad::ParseStatusValues(fields, 4, ints, 1, floats, 4);
    EXPECT_EQ(ints[0], 1);
    EXPECT_FLOAT_EQ(floats[0], 25.5f);
    EXPECT_FLOAT_EQ(floats[1], 12.0f);
    EXPECT_TRUE(floats[2] == 0.0f && floats[3] == 0.0f) << floats[2] << " " << floats[3];

    const char* full[] = {"0", "1", " 2x", "-1", "-10.5", "31", "35", "12", "1.2", "2.1", "OK"};
    rad::ParseStatusValues(full, 11, ints, 4, floats, 6);
    EXPECT_EQ(ints[1], 1);
    EXPECT_EQ(ints[2], 2);
    EXPECT_EQ(ints[3], -1);
    EXPECT_FLOAT_EQ(floats[0], -10.5f);
    EXPECT_FLOAT_EQ(floats[5], 2.1f);
}

TEST(WireFraming, LineBufferNeverOverrunsAndRejectsOverlongLines) {
    char buffer[256];
    std::memset(buffer, 'Z', sizeof buffer);
    rad::LineBuffer line(buffer, 255);  // one byte short of the array: the guard byte stays
    std::string text(300, 'X');
    text += "\r";
    rad::LineBuffer::State state = rad::LineBuffer::kPartial;
    for (char c : text) state = line.Put(c);
    EXPECT_EQ(state, rad::LineBuffer::kOverlong);
    EXPECT_EQ(line.Length(), 254);
    EXPECT_EQ(std::strlen(buffer), 254u);
    EXPECT_EQ(buffer[255], 'Z');

    rad::LineBuffer exact(buffer, 256);
    for (int i = 0; i < 254; ++i) exact.Put('A');
    EXPECT_EQ(exact.Put('\r'), rad::LineBuffer::kComplete);
    EXPECT_EQ(exact.Length(), 255);
}

}  // namespace
