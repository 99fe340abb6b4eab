// The files of the controller without sensors: paths, the year log and the empty records of
// the schedule. The store step's own faults are tested on it directly.
#include <sys/stat.h>

#include <filesystem>

#include "EngineFixture.h"
#include "OutputPaths.h"
#include "YearLog.h"

namespace {

using Output = EngineTest;

TEST(OutputPaths, FilesOfATime) {
    const int64_t t = LocalTime(2024, 7, 1, 6, 10, 0);
    EXPECT_EQ(rad::DayFilePath("/d/", t), "/d/2024/20240701.RSD");
    EXPECT_EQ(rad::HourFilePath("/c/", t), "/c/2024/2024070106.CSV");
    EXPECT_EQ(rad::YearLogPath("/d/", t), "/d/2024.LOG");
    EXPECT_EQ(rad::FormatLogLine(t + 3, "ERROR QS300 MEAS"),
              "2024/07/01,06:10:03,ERROR QS300 MEAS\r\n");
}

// A FIFO in the log's place has no reader: appending must fail at once, not hang the program.
TEST(YearLog, RefusesWhatIsNotARegularFile) {
    const std::string dir = ::testing::TempDir() + "yearlog_fifo/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "2025.LOG");
    const int64_t t = LocalTime(2024, 7, 1, 6, 10, 0);
    ASSERT_EQ(::mkfifo(rad::YearLogPath(dir, t).c_str(), 0600), 0);
    EXPECT_FALSE(rad::AppendYearLog(dir, t, "APP START"));
    EXPECT_FALSE(rad::AppendYearLog(dir, t + 366 * 86400, "APP START"));  // a directory
    EXPECT_TRUE(rad::AppendYearLog(dir, t - 366 * 86400, "APP START"));   // created
    EXPECT_TRUE(rad::AppendYearLog(dir, t - 366 * 86400, "APP CLOSE"));   // appended
    EXPECT_EQ(ReadFile(dir + "2023.LOG"),
              "2023/07/01,06:10:00,APP START\r\n2023/07/01,06:10:00,APP CLOSE\r\n");
    std::filesystem::remove_all(dir);
}

TEST_F(Output, FreshInstallLogsEveryEventInOrder) {
    MakeDoc();  // the folder does not exist yet
    m_doc->StartManual();
    ASSERT_TRUE(PumpUntil([&] { return !m_doc->IsRunning(); }));
    m_doc.reset();
    const std::string log = ReadFile(m_settings.rsdFolder + "2024.LOG");
    EXPECT_EQ(log,
              "2024/07/01,05:59:58,APP START\r\n2024/07/01,05:59:58,INT.MEAS START\r\n"
              "2024/07/01,05:59:58,INT.MEAS STOP\r\n2024/07/01,05:59:58,APP CLOSE\r\n");
    // No sensor enabled: one record without blocks.
    EXPECT_EQ(DayFile(m_clock.Now())->GetCount(), 1);
    EXPECT_EQ(m_host.notes, std::vector<std::string>{"manual: no sensor enabled"});
}

TEST_F(Output, NoSensorIntervalStoresAnEmptyRecordEverySlot) {
    MakeDoc();
    m_doc->StartInterval();
    Tick(2 + 600);  // to 06:10:00
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_EQ(set->GetAt(0).m_time, LocalTime(2024, 7, 1, 6, 0, 0));
    EXPECT_EQ(set->GetAt(1).m_time, LocalTime(2024, 7, 1, 6, 10, 0));
    EXPECT_EQ(set->m_strTZ, "+9");
}

}  // namespace
