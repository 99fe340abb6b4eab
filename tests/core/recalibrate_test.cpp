#include "Recalibrate.h"

#include <sys/stat.h>

#include <cstring>

#include "CalibrationSplice.h"
#include "RegularFile.h"
#include "SyntheticData.h"
#include "rsd_fixture.h"

namespace {

constexpr int64_t kNoon = 1'700'000'000;

class Recalibrate : public RsdFileTest {
  protected:
    void SetUp() override {
        RsdFileTest::SetUp();
        rad::MakeSyntheticDay(m_day, 4, {kQS100, kQS300}, kNoon, 600);
        m_dayBytes = SavedBytes(m_day, "day.rsd");
    }
    // The day's calibrations with every factor times factor, or one serial number changed.
    std::string Source(float factor, const char* serial = nullptr) const {
        CRsdData source;
        for (const int m : {kQS100, kQS300}) {
            SensorCal cal = *m_day.GetCal(m);
            for (float& f : cal.CAL) f *= factor;
            if (serial && m == kQS300) SetTextField(cal.SN, serial);
            source.SetCal(m, cal);
        }
        return SavedBytes(source, "source.rsd");
    }

    CRsdData m_day;
    std::string m_dayBytes;
};

// Bytes from the first record on: the records, their signals and times.
std::string_view RecordPart(std::string_view bytes) {
    const auto spans = rad::FindCalibrationBlocks(bytes);
    return spans && !spans->empty() ? bytes.substr(spans->back().end) : std::string_view();
}

TEST_F(Recalibrate, DoubledFactorsDoubleEverySpectralValueAndKeepEverySignal) {
    const rad::Recalibration result = rad::Recalibrate(m_dayBytes, Source(2.0f), false);
    ASSERT_TRUE(result.bytes) << result.problem;
    EXPECT_EQ(result.replaced, (1u << kQS100) | (1u << kQS300));
    EXPECT_EQ(RecordPart(*result.bytes), RecordPart(m_dayBytes));
    ASSERT_FALSE(RecordPart(m_dayBytes).empty());
    CRsdData after;
    ASSERT_GE(after.LoadFromMemory(result.bytes->data(), result.bytes->size()), 0);
    ASSERT_EQ(after.GetCount(), m_day.GetCount());
    for (int i = 0; i < m_day.GetCount(); ++i) {
        EXPECT_EQ(after.GetAt(i).m_time, m_day.GetAt(i).m_time);
        for (const int m : {kQS100, kQS300}) {
            const SensorData& was = *m_day.GetAt(i).Block(m);
            const SensorData& now = *after.GetAt(i).Block(m);
            EXPECT_EQ(std::memcmp(was.MD.data(), now.MD.data(), was.MD.size() * 4), 0);
            EXPECT_EQ(std::memcmp(was.DD.data(), now.DD.data(), was.DD.size() * 4), 0);
            for (int p = 0; p < PixelCount(m); ++p)
                ASSERT_EQ(after.GetPixelValue(m, i, p), 2 * m_day.GetPixelValue(m, i, p));
        }
    }
}

TEST_F(Recalibrate, SerialMismatchIsRefusedUnlessForced) {
    const std::string source = Source(1.0f, "OTHER-7");
    const rad::Recalibration refused = rad::Recalibrate(m_dayBytes, source, false);
    EXPECT_FALSE(refused.bytes);
    EXPECT_NE(refused.problem.find("OTHER-7"), std::string::npos) << refused.problem;
    const rad::Recalibration forced = rad::Recalibrate(m_dayBytes, source, true);
    ASSERT_TRUE(forced.bytes);
    CRsdData after;
    ASSERT_GE(after.LoadFromMemory(forced.bytes->data(), forced.bytes->size()), 0);
    EXPECT_STREQ(after.GetCal(kQS300)->SN, "OTHER-7");
}

TEST_F(Recalibrate, CutFileIsRefused) {
    const std::string cut = m_dayBytes.substr(0, m_dayBytes.size() / 3);
    EXPECT_FALSE(rad::FindCalibrationBlocks(std::string_view(m_dayBytes).substr(0, 200)));
    EXPECT_FALSE(rad::SpliceCalibrations(std::string_view(m_dayBytes).substr(0, 200), cut, 1));
}

// A FIFO without a writer would hold a plain read forever.
TEST_F(Recalibrate, AFifoInPlaceOfTheFileIsRefusedAtOnce) {
    const std::string fifo = PathOf("fifo.rsd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const rad::FileRecalibration refused =
        rad::RecalibrateFile(fifo, PathOf("out.rsd"), Source(2.0f), false);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.problem, "cannot be read: " + rad::FileErrorText(rad::kErrNotRegularFile));
}

TEST_F(Recalibrate, FailedWriteInPlaceLeavesTheInputUntouched) {
    const std::string source = Source(2.0f);
    // The file may not grow past its own size minus one byte: the write fails midway.
    const std::string day = PathOf("day.rsd");
    const rad::FileRecalibration failed = UnderFileSizeLimit(
        m_dayBytes.size() - 1, [&] { return rad::RecalibrateFile(day, day, source, false); });
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.problem, "cannot be written: file too large");
    EXPECT_EQ(ReadBytes(day), m_dayBytes);
    const rad::FileRecalibration done = rad::RecalibrateFile(day, day, source, false);
    ASSERT_TRUE(done.ok) << done.problem;
    EXPECT_EQ(ReadBytes(day), done.after);
    EXPECT_EQ(done.before, m_dayBytes);
}

}  // namespace
