// Day files cut inside their last record are repaired before the next append; records that
// cannot be stored go to a recovery file.
#include "RsdTail.h"

#include <cerrno>

#include "SyntheticData.h"
#include "rsd_fixture.h"

namespace {

using RsdTailTest = RsdFileTest;

CRad NewRecord(const CRsdData& day) {
    CRad rad(*day.GetLast());
    rad.m_time += 600;
    rad.m_strMemo = "after the cut";
    rad.Block(kQS400)->MD.assign(rad.Block(kQS400)->MD.size(), 7.25f);
    return rad;
}

// Thousands of repairs each flush to disk: a memory-backed folder, where there is one, keeps
// that quick.
std::filesystem::path FastFolder(const std::filesystem::path& fallback) {
    std::string pattern = "/dev/shm/rsdtail.XXXXXX";
    return mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : fallback / "fast";
}

}  // namespace

TEST_F(RsdTailTest, ACutAtEveryByteOfTheLastRecordIsSetAsideBeforeTheAppend) {
    CRsdData day;
    rad::MakeSyntheticDay(day, 3, {kQS400}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string full = SavedBytes(day);
    const std::size_t lastStart = full.rfind("DT_RSD,100\n");
    ASSERT_NE(lastStart, std::string::npos);
    const CRad added = NewRecord(day);
    const std::filesystem::path folder = FastFolder(m_dir);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "20240601.RSD").string();
    int wholeRecordAside = 0;
    for (std::size_t cut = lastStart; cut < full.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        WriteBytes(path, full.substr(0, cut));
        const rad::RsdRepairResult result = rad::RepairRsdTail(path);
        ASSERT_NE(result.outcome, rad::RsdRepairResult::kFailed);
        ASSERT_NE(result.outcome, rad::RsdRepairResult::kNotRsd);
        // Nothing is lost: what stays and what is set aside make up the cut file.
        ASSERT_GE(result.keptBytes, lastStart);
        EXPECT_EQ(ReadBytes(path), full.substr(0, result.keptBytes));
        EXPECT_EQ(result.cutBytes, cut - result.keptBytes);
        if (result.outcome == rad::RsdRepairResult::kRepaired) {
            EXPECT_EQ(ReadBytes(result.sidePath), full.substr(result.keptBytes, result.cutBytes));
            std::filesystem::remove(result.sidePath);
            wholeRecordAside += result.keptBytes == lastStart;
        }
        ASSERT_TRUE(day.Append(path, added));

        CRsdData back;
        const int count = back.Load(path);
        ASSERT_TRUE(count == 3 || count == 4);
        for (int i = 0; i < 2; ++i) ExpectSameRecord(day.GetAt(i), back.GetAt(i));
        ExpectSameRecord(added, *back.GetLast());
        if (count == 4) {
            // The cut fell between whole blocks: the record stays with the blocks it has.
            const CRad& kept = back.GetAt(2);
            EXPECT_EQ(kept.m_time, day.GetAt(2).m_time);
            for (int m = 0; m < kModelCount; ++m) {
                if (kept.Block(m)) {
                    EXPECT_EQ(kept.Block(m)->MD, day.GetAt(2).Block(m)->MD);
                }
            }
        }
    }
    // Only the few cuts just after the record header keep the record.
    EXPECT_GT(wholeRecordAside, static_cast<int>(full.size() - lastStart) - 30);
    std::filesystem::remove_all(folder);
}

TEST_F(RsdTailTest, TailsAfterABlankLineOrACutLineAreSetAsideAndSideFilesKept) {
    CRsdData day;
    rad::MakeSyntheticDay(day, 2, {kQS400}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string full = SavedBytes(day);
    const std::string path = PathOf("day.RSD");
    WriteBytes(path + ".cut-1", "older");
    const std::size_t lastStart = full.rfind("DT_RSD,100\n");
    struct Case {
        std::string tail;
        std::size_t kept;
    } const cases[] = {
        {"DT_RSD,100\nMT,2026120", full.size()},  // a power cut inside a text line
        {"\nDT_RSD,100\n", full.size()},          // after a blank line the reader sees nothing
        {"DT_QS4", lastStart},  // a block of the last record was cut: the record goes aside
    };
    int n = 2;
    for (const Case& c : cases) {
        WriteBytes(path, full + c.tail);
        std::string content = "stale";
        const rad::RsdRepairResult result = rad::RepairRsdTail(path, &content);
        EXPECT_EQ(result.outcome, rad::RsdRepairResult::kRepaired);
        EXPECT_EQ(result.sidePath, path + ".cut-" + std::to_string(n++));
        EXPECT_EQ(ReadBytes(result.sidePath), full.substr(c.kept) + c.tail);
        EXPECT_EQ(ReadBytes(path), full.substr(0, c.kept));
        EXPECT_EQ(content, ReadBytes(path));  // what the caller loads instead of reading again
    }
    EXPECT_EQ(ReadBytes(path + ".cut-1"), "older");

    // A file cut inside its site header keeps nothing: the next store starts it afresh.
    WriteBytes(path, "HD_RSD,100\nSITE,x");
    EXPECT_EQ(rad::RepairRsdTail(path).keptBytes, 0u);
    EXPECT_FALSE(std::filesystem::exists(path));
    // Foreign files and missing ones are left alone.
    WriteBytes(path, "not a data file");
    EXPECT_EQ(rad::RepairRsdTail(path).outcome, rad::RsdRepairResult::kNotRsd);
    EXPECT_EQ(ReadBytes(path), "not a data file");
    std::string content = "stale";
    EXPECT_EQ(rad::RepairRsdTail(PathOf("none.RSD"), &content).outcome,
              rad::RsdRepairResult::kComplete);
    EXPECT_EQ(content, "");
}

TEST_F(RsdTailTest, RecoveryFilesTakeNewNamesAndHoldTheRecords) {
    CRsdData pending;
    rad::MakeSyntheticDay(pending, 4, {kQS200, kQS300}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    const std::string first = rad::WriteRecoveryFile(m_dir.string(), "20240601", pending);
    const std::string second = rad::WriteRecoveryFile(m_dir.string() + "/", "20240601", pending);
    EXPECT_EQ(first, PathOf("20240601-recovered-1.RSD"));
    EXPECT_EQ(second, PathOf("20240601-recovered-2.RSD"));
    CRsdData back;
    ASSERT_EQ(back.Load(second), 4);
    for (int i = 0; i < 4; ++i) ExpectSameRecord(pending.GetAt(i), back.GetAt(i));

    errno = 0;
    EXPECT_EQ(rad::WriteRecoveryFile(PathOf("missing"), "x", pending), "");
    EXPECT_EQ(errno, ENOENT);
}
