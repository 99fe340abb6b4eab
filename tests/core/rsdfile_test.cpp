// Save, Load and Append of whole data sets: the round trip, file safety and writer exclusion.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <span>
#include <thread>
#include <vector>

#include "FileLock.h"
#include "SyntheticData.h"
#include "rsd_fixture.h"

namespace {

// A day that crosses the spring DST change of New York, with records of every shape; big
// enough that Load reads it in several pieces.
void MakeMixedDay(CRsdData& set) {
    rad::MakeSyntheticDay(set, 24, {kQS100, kQS200, kQS300, kQS400},
                          LocalTime(2024, 3, 10, 0, 0, 0), 600);
    set.GetAt(1).RemoveBlock(kQS200);
    set.GetAt(2).m_strMemo = "";
    set.GetAt(3).Block(kQS400)->statusFloat[6] = -0.25f;
    CRad empty;
    empty.m_time = LocalTime(2024, 3, 10, 12, 0, 0);
    set.AddRecord(empty);
}

// Waits until a thread of this process waits for a flock on path: /proc/locks lists a blocked
// request with "->" and the file's device:inode. False when none comes.
bool WaitForLockWaiter(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const std::string inode = ":" + std::to_string(st.st_ino) + " ";
    for (int i = 0; i < 200000; ++i) {
        std::ifstream locks("/proc/locks");
        std::string line;
        while (std::getline(locks, line))
            if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos)
                return true;
        std::this_thread::yield();
    }
    return false;
}

}  // namespace

TEST_F(RsdFileTest, SaveThenLoadKeepsEverythingBitForBit) {
    CRsdData in;
    MakeMixedDay(in);
    const std::string path = PathOf("day.rsd");
    ASSERT_TRUE(in.Save(path));
    CRsdData out;
    ASSERT_EQ(out.Load(path), in.GetCount());

    for (auto field : {&CRsdData::m_strSite, &CRsdData::m_strLon, &CRsdData::m_strLat,
                       &CRsdData::m_strAlt, &CRsdData::m_strTZ})
        EXPECT_EQ(out.*field, in.*field);
    for (int m = 0; m < kModelCount; ++m) {
        const SensorCal& a = *in.GetCal(m);
        const SensorCal& b = *out.GetCal(m);
        for (auto field :
             {&SensorCal::SN, &SensorCal::ID, &SensorCal::ST, &SensorCal::FV, &SensorCal::FT})
            EXPECT_STREQ(a.*field, b.*field);
        for (int k = 0; k < 6; ++k) EXPECT_STREQ(a.C[k], b.C[k]);
        ExpectSameFloats(a.WL, b.WL);
        ExpectSameFloats(a.CAL, b.CAL);
    }
    for (int i = 0; i < in.GetCount(); ++i) ExpectSameRecord(in.GetAt(i), out.GetAt(i));
    // Once rounded, the status values are stable: a second round trip changes no byte.
    EXPECT_EQ(SavedBytes(out, "again.rsd"), ReadBytes(path));
}

// The causes of a failed write are the atomic writer's, tested there. The name is as long as a
// folder entry may be, so the temporary's name must be made to fit as well.
TEST_F(RsdFileTest, WriteErrorsReturnFalseAndKeepTheFileAsItWas) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 50, {kQS200, kQS300}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string path = PathOf(std::string(255, 'd'));
    CRsdData small;
    rad::MakeSyntheticDay(small, 1, {kQS200}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    ASSERT_TRUE(small.Save(path));
    const std::string before = ReadBytes(path);

    const auto [saved, appended] = UnderFileSizeLimit(before.size() + 5000, [&] {
        return std::pair{set.Save(path), set.Append(path, set.GetAt(0))};
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(appended);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1);
}

TEST_F(RsdFileTest, SaveWaitsWhileAnotherWriterHoldsTheFile) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 2, {kQS100}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string path = PathOf("day.rsd");
    WriteBytes(path, "being appended");
    CFileLock appender = CFileLock::Open(path, O_WRONLY, CFileLock::kExclusive);
    ASSERT_TRUE(appender);

    std::atomic<bool> done{false};
    std::thread saver([&] {
        EXPECT_TRUE(set.Save(path));
        done = true;
    });
    ASSERT_TRUE(WaitForLockWaiter(path));
    EXPECT_FALSE(done);
    EXPECT_EQ(ReadBytes(path), "being appended");
    appender.Close();
    saver.join();
    CRsdData back;
    EXPECT_EQ(back.Load(path), 2);
}

TEST_F(RsdFileTest, AppendWaitingOnAReplacedFileWritesIntoTheNewOne) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 2, {kQS300}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string path = PathOf("day.rsd");
    const std::string replacement = PathOf("new.rsd");
    ASSERT_TRUE(set.Save(path));
    ASSERT_TRUE(set.Save(replacement));
    CFileLock saver = CFileLock::Open(path, O_RDONLY, CFileLock::kExclusive);
    ASSERT_TRUE(saver);

    std::thread appender([&] { EXPECT_TRUE(set.Append(path, set.GetAt(0))); });
    ASSERT_TRUE(WaitForLockWaiter(path));
    ASSERT_EQ(std::rename(replacement.c_str(), path.c_str()), 0);  // what Save does
    saver.Close();
    appender.join();
    CRsdData back;
    EXPECT_EQ(back.Load(path), 3);
}

TEST_F(RsdFileTest, BlockWithoutCalibrationIsKeptButNotSpectral) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS100, kQS300}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    set.m_pCal[kQS300].reset();
    const std::string path = PathOf("a.rsd");
    ASSERT_TRUE(set.Save(path));
    CRsdData back;
    ASSERT_EQ(back.Load(path), 1);
    ASSERT_NE(back.GetRecordBlock(kQS300, 0), nullptr);
    EXPECT_EQ(back.GetSpectralBlock(kQS300, 0), nullptr);
    EXPECT_NE(back.GetSpectralBlock(kQS100, 0), nullptr);
    EXPECT_EQ(SavedBytes(back, "b.rsd"), ReadBytes(path));
}

TEST_F(RsdFileTest, SummaryLoadHandsEveryPayloadOverAndKeepsNone) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 3, {kQS200, kQS300}, LocalTime(2024, 6, 1, 6, 0, 0), 60);
    ASSERT_TRUE(set.Save(PathOf("day.RSD")));
    // A visitor may load another file on the same thread; neither load disturbs the other.
    CRsdData other, nested, summary;
    rad::MakeSyntheticDay(other, 5, {kQS100}, LocalTime(2024, 6, 2, 6, 0, 0), 60);
    ASSERT_TRUE(other.Save(PathOf("other.RSD")));
    int starts = 0, payloads = 0;
    const RsdPayloadVisitor visit = [&](int record, int model, bool dark,
                                        std::span<const float> values) {
        if (values.empty()) {  // the empty report that opens each block
            ++starts;
            return;
        }
        const SensorData* block = set.GetAt(record).Block(model);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(dark, payloads++ % 2 == 1);  // the measured payload, then the dark one
        EXPECT_EQ(std::vector<float>(values.begin(), values.end()), dark ? block->DD : block->MD);
        if (payloads == 1) {
            EXPECT_EQ(nested.Load(PathOf("other.RSD")), 5);
        }
    };
    ASSERT_EQ(summary.LoadSummary(PathOf("day.RSD"), visit), 3);
    EXPECT_EQ(nested.GetLast()->m_time, other.GetLast()->m_time);
    EXPECT_EQ(starts, 3 * 2 * 2);
    EXPECT_EQ(payloads, 3 * 2 * 2);
    for (int i = 0; i < 3; ++i) {
        for (const int model : {kQS200, kQS300}) {
            const SensorData* kept = summary.GetAt(i).Block(model);
            ASSERT_NE(kept, nullptr);
            EXPECT_TRUE(kept->MD.empty() && kept->DD.empty());
            EXPECT_EQ(kept->ET, set.GetAt(i).Block(model)->ET);
        }
    }
    EXPECT_EQ(
        summary.LoadSummary(PathOf("none.RSD"), [](int, int, bool, std::span<const float>) {}),
        kRsdNoFile);
}
