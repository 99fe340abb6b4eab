#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "LocalTime.h"
#include "RsdData.h"

// A fresh folder per test for the files it writes.
class RsdFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "rsdtest.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        rad::InitTimeZone();
    }
    void TearDown() override {
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(m_dir);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // What Save writes for set: the canonical form two sets can be compared by.
    std::string SavedBytes(const CRsdData& set, const std::string& name = "canonical.rsd") const {
        const std::string path = PathOf(name);
        EXPECT_TRUE(set.Save(path));
        return ReadBytes(path);
    }

    std::filesystem::path m_dir;
};

inline int64_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    return rad::LocalFieldsToTime(year, month, day, hour, minute, second).value();
}

inline void ExpectSameFloats(const std::vector<float>& a, const std::vector<float>& b) {
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(float)), 0);
}

inline float RoundedToOneDecimal(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return std::strtof(text, nullptr);
}

inline void ExpectSameBlock(const SensorData& in, const SensorData& out) {
    const SensorModelInfo& info = kModels[in.m_nModel];
    EXPECT_STREQ(in.SN, out.SN);
    EXPECT_EQ(in.MT, out.MT);
    EXPECT_EQ(in.ET, out.ET);
    for (int k = 0; k < info.statusInts; ++k) EXPECT_EQ(in.statusInt[k], out.statusInt[k]);
    for (int k = 0; k < info.statusFloats; ++k)
        EXPECT_EQ(RoundedToOneDecimal(in.statusFloat[k]), out.statusFloat[k]);
    ExpectSameFloats(in.MD, out.MD);
    ExpectSameFloats(in.DD, out.DD);
}

// Records equal as a file holds them: status values to one decimal, pixels to the bit.
inline void ExpectSameRecord(const CRad& a, const CRad& b) {
    SCOPED_TRACE(a.m_time);
    EXPECT_EQ(a.m_time, b.m_time);
    EXPECT_EQ(a.m_strMemo, b.m_strMemo);
    for (int m = 0; m < kModelCount; ++m) {
        ASSERT_EQ(a.Block(m) == nullptr, b.Block(m) == nullptr);
        if (a.Block(m)) ExpectSameBlock(*a.Block(m), *b.Block(m));
    }
}
