// The store step after faults of the disk: a day file cut by a power loss, and a day file
// that stays unwritable until the stop. Cycles are stored directly, without sensors.
#include <filesystem>

#include "EngineFixture.h"
#include "RsdFileFormat.h"
#include "SyntheticData.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRecordLine = "DT_RSD,100\n";

class StoreFault : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        m_settings.use[kQS100] = true;
        m_settings.saveCsv = false;
        fs::create_directories(m_folder);
    }
    // The controller with at most maxPending records waiting for their day file.
    void MakeDocKeeping(std::size_t maxPending) {
        m_doc = std::make_unique<CRadlogDoc>(m_settings, m_host, m_clock, ReportLanguage::English,
                                             DocLimits{20000, 50, maxPending});
    }
    // One stored cycle with a QS-100 block made from seed; returns the block.
    SensorData Store(int64_t t, uint32_t seed) {
        CCycleResult cycle;
        cycle.time = t;
        cycle.data[kQS100] = rad::MakeSyntheticData(kQS100, t, seed);
        m_doc->StoreCycle(cycle);
        return *cycle.data[kQS100];
    }
    // A plain file where the year folder belongs: no day file can be created under it.
    std::string BlockYearFolder() {
        const std::string blocker = m_settings.rsdFolder + "2024";
        std::ofstream(blocker) << "x";
        return blocker;
    }
    bool HasNote(const std::string& part) const {
        return std::any_of(m_host.notes.begin(), m_host.notes.end(), [&](const std::string& note) {
            return note.find(part) != std::string::npos;
        });
    }
};

void ExpectSameBlock(const CRad& rad, const SensorData& expected) {
    ASSERT_NE(rad.Block(kQS100), nullptr);
    EXPECT_EQ(rad.Block(kQS100)->MT, expected.MT);
    EXPECT_EQ(rad.Block(kQS100)->MD, expected.MD);
    EXPECT_EQ(rad.Block(kQS100)->DD, expected.DD);
}

struct CutCase {
    const char* name;
    // Where the cut falls, counted from the start of the last record.
    std::size_t (*cutAfterRecordStart)(const std::string& lastRecord);
};

const CutCase kCuts[] = {
    {"inside the measured payload",
     [](const std::string& record) {
         const std::size_t begin = record.find(rad::rsd::kMeasuredBegin);
         return record.find('\n', begin) + 1 + 1000;
     }},
    {"inside the line after the record tag",
     [](const std::string&) { return kRecordLine.size() + 4; }},
    {"inside the record tag", [](const std::string&) { return std::size_t{3}; }},
    {"before the closing line end", [](const std::string& record) { return record.size() - 1; }},
};

TEST_F(StoreFault, DayFileCutInItsLastRecordIsRepairedBeforeTheNextStore) {
    const int64_t first = LocalTime(2024, 7, 1, 6, 0, 0);
    for (const CutCase& cut : kCuts) {
        SCOPED_TRACE(cut.name);
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_host.logLines.clear();
        m_host.notes.clear();
        CRsdData original;
        rad::MakeSyntheticDay(original, 3, {kQS100}, first, 600);
        const std::string path = rad::DayFilePath(m_settings.rsdFolder, first);
        rad::CreateParentFolders(path);
        ASSERT_TRUE(original.Save(path));
        const std::string whole = ReadFile(path);
        const std::size_t recordStart = whole.rfind(kRecordLine);
        const std::size_t cutAt = recordStart + cut.cutAfterRecordStart(whole.substr(recordStart));
        ASSERT_LT(cutAt, whole.size());
        fs::resize_file(path, cutAt);

        MakeDoc();
        const SensorData stored = Store(first + 1800, 7);
        const std::string lost = whole.substr(recordStart, cutAt - recordStart);
        EXPECT_EQ(Count("REPAIR RSD " + std::to_string(lost.size()) + " BYTES SET ASIDE"), 1);
        EXPECT_TRUE(ReadFile(path + ".cut-1") == lost);  // binary: not printed
        EXPECT_TRUE(HasNote(path + ".cut-1"));
        const SensorData next = Store(first + 2400, 8);  // the repaired file is whole now
        m_doc.reset();
        EXPECT_EQ(Count("ERROR RSD SAVE") + Count("ERROR RSD LOAD"), 0);
        EXPECT_EQ(std::count_if(m_host.logLines.begin(), m_host.logLines.end(),
                                [](const std::string& line) { return line.starts_with("REPAIR"); }),
                  1);

        const auto set = DayFile(first);
        ASSERT_EQ(set->GetCount(), 4);
        for (int i = 0; i < 2; ++i)
            ExpectSameBlock(set->GetAt(i), *original.GetAt(i).Block(kQS100));
        EXPECT_EQ(set->GetAt(2).m_time, first + 1800);
        ExpectSameBlock(set->GetAt(2), stored);
        ExpectSameBlock(set->GetAt(3), next);
    }
}

TEST_F(StoreFault, RecordsStillUnwritableAtTheStopGoToARecoveryFile) {
    BlockYearFolder();
    MakeDoc();
    // The first folder cannot exist (a file lies on its way); the next one is used.
    const std::string rescue = m_folder.string() + "/rescue/";
    m_doc->SetRecoveryFolders({m_settings.rsdFolder + "2024/sub/", rescue});
    m_settings.use[kQS100] = false;  // no sensor to open; the stored cycles carry QS-100 blocks
    m_doc->StartInterval();
    m_settings.use[kQS100] = true;
    const int64_t first = LocalTime(2024, 7, 1, 6, 0, 0);
    std::vector<SensorData> blocks;
    for (int i = 0; i < 4; ++i) blocks.push_back(Store(first + 60 * i, static_cast<uint32_t>(i)));
    EXPECT_EQ(Count("ERROR RSD SAVE"), 4);
    EXPECT_EQ(m_doc->PendingRecords(), 4);

    m_doc->StopMeasurement();
    EXPECT_EQ(m_doc->PendingRecords(), 0);
    const auto recover =
        std::find(m_host.logLines.begin(), m_host.logLines.end(), "RECOVER RSD 4 RECORDS");
    ASSERT_NE(recover, m_host.logLines.end());
    EXPECT_EQ(*(recover + 1), "INT.MEAS STOP");
    const std::string saved = rescue + "20240701-recovered-1.RSD";
    EXPECT_TRUE(
        HasNote("4 records not stored in " + rad::DayFilePath(m_settings.rsdFolder, first)));
    EXPECT_TRUE(HasNote(saved));
    CRsdData set;
    ASSERT_GE(set.Load(saved), 0);
    ASSERT_EQ(set.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.GetAt(i).m_time, first + 60 * i);
        ExpectSameBlock(set.GetAt(i), blocks[static_cast<std::size_t>(i)]);
    }
}

TEST_F(StoreFault, PendingRecordsAreCappedOldestFirstAndRetriedAtTheStop) {
    const std::string blocker = BlockYearFolder();
    MakeDocKeeping(2);
    m_doc->SetRecoveryFolders({m_folder.string() + "/rescue/"});
    const int64_t first = LocalTime(2024, 7, 1, 6, 0, 0);
    for (int i = 0; i < 4; ++i) Store(first + 60 * i, static_cast<uint32_t>(i));
    EXPECT_EQ(Count("DROP RSD 1 RECORDS"), 2);
    EXPECT_EQ(m_doc->PendingRecords(), 2);

    fs::remove(blocker);  // writable again before the stop
    m_doc->StopMeasurement();
    EXPECT_EQ(m_doc->PendingRecords(), 0);
    EXPECT_FALSE(fs::exists(m_folder / "rescue"));
    const auto set = DayFile(first);
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_EQ(set->GetAt(0).m_time, first + 120);
    EXPECT_EQ(set->GetAt(1).m_time, first + 180);
}

}  // namespace
