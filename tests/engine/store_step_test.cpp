// The store step on its own, fed synthetic cycles (no sensors, no threads): the record into
// the day file, missing blocks, and the faults of the disk: a day file cut by a power loss, one
// that cannot be read, and one that stays unwritable for a while or until the stop. Then the
// files of the controller without sensors: paths, the year log and the empty records.
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "BlockSerials.h"
#include "DayParts.h"
#include "EngineFixture.h"
#include "OutputPaths.h"
#include "ResampleTable.h"
#include "RsdFileFormat.h"
#include "StoreStep.h"
#include "SyntheticData.h"
#include "TodayLight.h"
#include "YearLog.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRecordLine = "DT_RSD,100\n";

// What the store step tells: its log events (texts only), notes and stores.
class RecordingListener final : public ILogSink, public IStoreListener {
  public:
    void WriteLog(const std::string& text) override { logLines.push_back(text); }
    void Note(const std::string& line) override { notes.push_back(line); }
    void CycleStored() override {
        ++redraws;
        if (onStored) onStored();
    }
    void RecordStored(const StoredRecord& record, bool isWritten) override {
        written.push_back(isWritten);
        lastDayCount = record.day.GetCount();
        if (onRecord) onRecord(record);
    }
    void SensorChanged(int model, const std::string&) override { changedModels.push_back(model); }

    std::vector<std::string> logLines;
    std::vector<std::string> notes;
    std::vector<bool> written;
    std::vector<int> changedModels;
    std::function<void()> onStored;                     // what the host does with a stored record
    std::function<void(const StoredRecord&)> onRecord;  // what telemetry does with it
    int redraws = 0;
    int lastDayCount = 0;
};

class StoreStep : public OutputFolderTest {
  protected:
    void SetUp() override {
        OutputFolderTest::SetUp();
        m_settings.use[kQS100] = true;
        m_settings.saveCsv = false;
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        m_store.reset();
        OutputFolderTest::TearDown();
    }
    // An empty output folder and listener, for the next case of a table.
    void Reset() {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_listener = {};
    }
    // The store step with at most maxPending records waiting for their day file.
    void MakeStore(std::size_t maxPending = 1440) {
        m_store = std::make_unique<CStoreStep>(m_settings, m_listener, m_listener,
                                               ReportLanguage::English, maxPending);
    }
    // One stored cycle with a QS-100 block made from seed; returns the block.
    SensorData Store(int64_t t, uint32_t seed, StoreOutcome* outcome = nullptr,
                     const CStoreStep::CalSources& cals = {}) {
        CCycleResult cycle;
        cycle.time = t;
        cycle.data[kQS100] = rad::MakeSyntheticData(kQS100, t, seed);
        const StoreOutcome stored = m_store->Store(cycle, cals);
        if (outcome) *outcome = stored;
        return *cycle.data[kQS100];
    }
    // A plain file where the year folder belongs: no day file can be created under it.
    std::string BlockYearFolder() {
        const std::string blocker = m_settings.rsdFolder + "2024";
        std::ofstream(blocker) << "x";
        return blocker;
    }
    bool HasNote(const std::string& part) const {
        const auto& notes = m_listener.notes;
        return std::any_of(notes.begin(), notes.end(), [&](const std::string& note) {
            return note.find(part) != std::string::npos;
        });
    }
    int Count(const std::string& text) const {
        const auto& lines = m_listener.logLines;
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }

    const int64_t m_first = LocalTime(2024, 7, 1, 6, 0, 0);
    RecordingListener m_listener;
    std::unique_ptr<CStoreStep> m_store;
};

void ExpectSameBlock(const CRad& rad, const SensorData& expected) {
    ASSERT_NE(rad.Block(kQS100), nullptr);
    EXPECT_EQ(rad.Block(kQS100)->MT, expected.MT);
    EXPECT_EQ(rad.Block(kQS100)->MD, expected.MD);
    EXPECT_EQ(rad.Block(kQS100)->DD, expected.DD);
}

// Where a cut may fall the day file's own tests go through byte by byte; here the store step
// sets the tail aside, logs and says it, and appends to the repaired file.
TEST_F(StoreStep, DayFileCutInItsLastRecordIsRepairedBeforeTheNextStore) {
    CRsdData original;
    rad::MakeSyntheticDay(original, 3, {kQS100}, m_first, 600);
    const std::string path = rad::DayFilePath(m_settings.rsdFolder, m_first);
    rad::CreateParentFolders(path);
    ASSERT_TRUE(original.Save(path));
    const std::string whole = ReadFile(path);
    const std::size_t recordStart = whole.rfind(kRecordLine);
    const std::size_t cutAt = whole.find(rad::rsd::kMeasuredBegin, recordStart) + 1000;
    ASSERT_LT(cutAt, whole.size());
    fs::resize_file(path, cutAt);

    MakeStore();
    const SensorData stored = Store(m_first + 1800, 7);
    const std::string lost = whole.substr(recordStart, cutAt - recordStart);
    EXPECT_EQ(Count("REPAIR RSD " + std::to_string(lost.size()) + " BYTES SET ASIDE"), 1);
    EXPECT_TRUE(ReadFile(path + ".cut-1") == lost);  // binary: not printed
    EXPECT_TRUE(HasNote(path + ".cut-1"));
    const SensorData next = Store(m_first + 2400, 8);  // the repaired file is whole now
    EXPECT_EQ(m_listener.logLines.size(), 1u);

    const auto set = DayFile(m_first);
    ASSERT_EQ(set->GetCount(), 4);
    for (int i = 0; i < 2; ++i) ExpectSameBlock(set->GetAt(i), *original.GetAt(i).Block(kQS100));
    EXPECT_EQ(set->GetAt(2).m_time, m_first + 1800);
    ExpectSameBlock(set->GetAt(2), stored);
    ExpectSameBlock(set->GetAt(3), next);
}

TEST_F(StoreStep, EachMissingBlockIsLoggedAndTheRecordIsIncomplete) {
    m_settings.use[kQS300] = true;
    m_settings.memo = "ROOF";
    MakeStore();
    const SensorCal cal = rad::MakeSyntheticCal(kQS100);
    CCycleResult cycle;
    cycle.time = m_first;
    cycle.data[kQS100] = rad::MakeSyntheticData(kQS100, cycle.time, 1);
    const StoreOutcome partial = m_store->Store(cycle, {&cal, nullptr, nullptr, nullptr});
    EXPECT_TRUE(partial.written);
    EXPECT_FALSE(partial.complete);
    EXPECT_EQ(m_listener.logLines, std::vector<std::string>{"ERROR QS300 MEAS"});

    cycle.time += 600;
    cycle.data[kQS300] = rad::MakeSyntheticData(kQS300, cycle.time, 2);
    const StoreOutcome whole = m_store->Store(cycle, {});
    EXPECT_TRUE(whole.written && whole.complete);
    EXPECT_EQ(m_listener.logLines.size(), 1u);
    EXPECT_EQ(m_listener.redraws, 2);
    EXPECT_EQ(m_listener.lastDayCount, 2);
    EXPECT_EQ(m_store->Report().titleText, "ROOF");
    EXPECT_NE(m_store->Report().statusText.find("--- QS-300 ---"), std::string::npos);

    // The calibration of the sensor ready at the first store stays in the day file.
    const auto set = DayFile(m_first);
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_TRUE(set->HasUsableCal(kQS100));
    EXPECT_FALSE(set->HasUsableCal(kQS300));
    EXPECT_FALSE(set->GetAt(0).Block(kQS300));
    EXPECT_TRUE(set->GetAt(1).Block(kQS300));
}

TEST_F(StoreStep, CorruptDayFileIsAppendedToNeverRewritten) {
    MakeStore();
    const std::string path = rad::DayFilePath(m_settings.rsdFolder, m_first);
    rad::CreateParentFolders(path);
    const std::string garbage = "written by something else\n";
    std::ofstream(path, std::ios::binary) << garbage;
    Store(m_first, 1);
    Store(m_first + 600, 2);
    EXPECT_EQ(Count("ERROR RSD LOAD"), 2);
    EXPECT_EQ(Count("ERROR RSD SAVE"), 0);
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.substr(0, garbage.size()), garbage);
    EXPECT_GT(bytes.size(), garbage.size());
}

TEST_F(StoreStep, RecordsStillUnwritableAtTheStopGoToARecoveryFile) {
    BlockYearFolder();
    MakeStore();
    // The first folder cannot exist (a file lies on its way); the next one is used.
    const std::string rescue = m_folder.string() + "/rescue/";
    m_store->SetRecoveryFolders({m_settings.rsdFolder + "2024/sub/", rescue});
    m_store->NoteCalibration(kQS100, rad::MakeSyntheticCal(kQS100));
    std::vector<SensorData> blocks;
    for (int i = 0; i < 4; ++i) blocks.push_back(Store(m_first + 60 * i, static_cast<uint32_t>(i)));
    EXPECT_EQ(Count("ERROR RSD SAVE"), 4);
    EXPECT_EQ(m_store->PendingRecords(), 4);

    m_store->FlushPendingAtStop();
    EXPECT_EQ(m_store->PendingRecords(), 0);
    EXPECT_EQ(m_listener.logLines.back(), "RECOVER RSD 4 RECORDS");
    const std::string saved = rescue + "20240701-recovered-1.RSD";
    EXPECT_TRUE(
        HasNote("4 records not stored in " + rad::DayFilePath(m_settings.rsdFolder, m_first)));
    EXPECT_TRUE(HasNote(saved));
    CRsdData set;
    ASSERT_GE(set.Load(saved), 0);
    ASSERT_EQ(set.GetCount(), 4);
    EXPECT_TRUE(set.HasUsableCal(kQS100));  // the last calibration the sensor reported
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.GetAt(i).m_time, m_first + 60 * i);
        ExpectSameBlock(set.GetAt(i), blocks[static_cast<std::size_t>(i)]);
    }
}

// Records wait while the day file cannot be written, the oldest dropped beyond the cap; they go
// in with the next store that can write, or at the stop.
TEST_F(StoreStep, UnwritableDayFileKeepsRecordsUntilItCanBeWritten) {
    for (const bool capped : {false, true}) {
        SCOPED_TRACE(capped ? "capped, retried at the stop" : "written with the next store");
        Reset();
        const std::string blocker = BlockYearFolder();
        MakeStore(capped ? 2 : 1440);
        m_store->SetRecoveryFolders({m_folder.string() + "/rescue/"});
        for (int i = 0; i < 4; ++i) Store(m_first + 60 * i, static_cast<uint32_t>(i));
        EXPECT_EQ(Count("ERROR RSD SAVE"), 4);
        EXPECT_EQ(Count("DROP RSD 1 RECORDS"), capped ? 2 : 0);
        EXPECT_EQ(m_store->PendingRecords(), capped ? 2 : 4);
        fs::remove(blocker);
        StoreOutcome outcome;
        if (capped)
            m_store->FlushPendingAtStop();
        else
            Store(m_first + 240, 4, &outcome);
        EXPECT_EQ(outcome.written, !capped);
        std::vector<bool> written(4, false);  // waiting, and then the one written at once
        if (!capped) written.push_back(true);
        EXPECT_EQ(m_listener.written, written);
        EXPECT_EQ(m_store->PendingRecords(), 0);
        EXPECT_FALSE(fs::exists(m_folder / "rescue"));
        const auto set = DayFile(m_first);
        const int first = capped ? 2 : 0;
        ASSERT_EQ(set->GetCount(), 5 - first - capped);
        for (int i = 0; i < set->GetCount(); ++i)
            EXPECT_EQ(set->GetAt(i).m_time, m_first + 60 * (first + i));
    }
}

// A board without a battery clock starts at 1970: the first store, with the station's Today
// figures following it, writes its record whatever the zone.
TEST_F(StoreStep, ClockAtTheEpochStoresInEveryZone) {
    const std::string restore = std::getenv("TZ");
    for (const char* zone : {"UTC", "Asia/Tokyo", "America/New_York"}) {
        SCOPED_TRACE(zone);
        ::setenv("TZ", zone, 1);
        rad::InitTimeZone();
        Reset();
        MakeStore();
        CTodayLight today;
        m_listener.onStored = [&] { today.Update(m_store->DataSet()); };
        StoreOutcome outcome;
        Store(30, 1, &outcome);
        EXPECT_TRUE(outcome.written);
        EXPECT_TRUE(m_listener.logLines.empty());
        EXPECT_TRUE(today.HasRecord());
        EXPECT_EQ(DayFile(30)->GetCount(), 1);
    }
    ::setenv("TZ", restore.c_str(), 1);
    rad::InitTimeZone();
}

// Every listener takes the stored record's spectrum and quantities from the store step: one
// resample per stored record, and the light the day's own computation gives.
TEST_F(StoreStep, AStoredRecordIsResampledOnceForEveryListener) {
    MakeStore();
    const SensorCal cal = rad::MakeSyntheticCal(kQS100);
    CStoreStep::CalSources cals{};
    cals[kQS100] = &cal;
    CTodayLight panel, fresh;
    m_listener.onStored = [&] {
        const StoredRecord stored = m_store->Stored();
        panel.Update(stored.day, &stored.row);
    };
    double sentPpfd = NAN;
    m_listener.onRecord = [&](const StoredRecord& record) {
        sentPpfd = record.row.quantities[rad::Quantity::Ppfd].value;
        EXPECT_EQ(record.spectrum.m_pValue, m_store->Stored().spectrum.m_pValue);
    };
    for (uint32_t i = 0; i < 3; ++i) {
        const uint64_t before = rad::ResampleCount();
        Store(m_first + 60 * i, i + 1, nullptr, cals);
        EXPECT_EQ(rad::ResampleCount() - before, 1u);
        fresh.Update(m_store->DataSet());
        ASSERT_TRUE(std::isfinite(fresh.Latest().ppfd));
        EXPECT_EQ(sentPpfd, fresh.Latest().ppfd);
        EXPECT_EQ(panel.Latest().ppfd, fresh.Latest().ppfd);
        EXPECT_EQ(panel.Latest().qc, fresh.Latest().qc);
        EXPECT_EQ(panel.Line(), fresh.Line());
    }
}

// Nothing on the store path ends the program: a failing listener does not keep the record from
// its file; a failure of the store itself is logged and said, and the next store goes on.
TEST_F(StoreStep, FailuresOnTheStorePathAreCaughtAndSaid) {
    const struct {
        const char* what;
        int64_t time;
        bool throwing;  // the host fails to show the record
        bool written;
        const char* note;
    } cases[] = {
        {"a failing display", m_first, true, true, "the stored record could not be shown"},
        {"a time without a local form", INT64_MAX, false, false, "store failed: time "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        MakeStore();
        if (c.throwing) m_listener.onStored = [] { throw std::runtime_error("display gone"); };
        StoreOutcome outcome;
        Store(c.time, 1, &outcome);
        EXPECT_EQ(outcome.written, c.written);
        EXPECT_EQ(Count("ERROR RSD SAVE"), c.written ? 0 : 1);
        EXPECT_TRUE(HasNote(c.note));
        m_listener.onStored = nullptr;
        Store(m_first + 60, 2, &outcome);
        EXPECT_TRUE(outcome.written);
        EXPECT_EQ(DayFile(m_first)->GetCount(), c.written ? 2 : 1);
    }
}

TEST_F(StoreStep, AClockSteppedBackIsSaid) {
    MakeStore();
    Store(m_first + 600, 1);
    Store(m_first + 660, 2);
    EXPECT_TRUE(m_listener.notes.empty());
    Store(m_first, 3);
    EXPECT_TRUE(
        HasNote("20240701.RSD: the record of 2024/07/01 06:00:00 follows one of "
                "2024/07/01 06:11:00: the clock stepped back"));
    EXPECT_EQ(DayFile(m_first)->GetCount(), 3);
}

// The day's data set is kept between stores; the file is read again only when something else
// changed it since the last write.
TEST_F(StoreStep, DayFileIsReadAgainOnlyWhenItChangedOnDisk) {
    const int64_t outside = m_first + 90;
    const struct {
        const char* what;
        std::function<void(const std::string&)> change;
        int records;
    } cases[] = {
        {"unchanged", nullptr, 3},
        {"appended to by another writer",
         [&](const std::string& path) {
             CRsdData set;
             CRad rad;
             rad.m_time = outside;
             rad.SetBlock(kQS100, rad::MakeSyntheticData(kQS100, outside, 9));
             ASSERT_TRUE(set.Append(path, rad));
         },
         4},
        {"replaced by a copy",
         [](const std::string& path) {
             fs::copy_file(path, path + ".copy");
             fs::rename(path + ".copy", path);
         },
         3},
        {"touched",
         [](const std::string& path) {
             fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
         },
         3},
    };
    const std::string path = rad::DayFilePath(m_settings.rsdFolder, m_first);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        MakeStore();
        Store(m_first, 1);
        Store(m_first + 60, 2);
        if (c.change) c.change(path);
        Store(m_first + 120, 3);
        EXPECT_EQ(m_store->DayFileLoads(), c.change ? 1 : 0);
        EXPECT_EQ(m_store->DataSet().GetCount(), c.records);
        EXPECT_EQ(DayFile(m_first)->GetCount(), c.records);
    }
}

// A QS-100 exchanged for another unit during the day: its records go to a part of the day with
// its own calibration, and back when the first unit returns; a restart finds the parts again.
TEST_F(StoreStep, SwappedUnitGetsItsOwnPartOfTheDay) {
    const SensorCal calA = rad::MakeSyntheticCal(kQS100);
    SensorCal calB = calA;
    SetTextField(calB.SN, "99999");
    const struct {
        int minute;
        const SensorCal* unit;
        bool restart;  // a new store step, as after a restart of the station
        int part;
    } steps[] = {
        {0, &calA, false, 1},  {10, &calA, false, 1}, {20, &calB, false, 2},
        {30, &calB, false, 2}, {40, &calA, false, 1}, {50, &calB, true, 2},
    };
    std::vector<std::vector<int64_t>> times(3);
    for (const auto& step : steps) {
        if (step.restart || !m_store) MakeStore();
        CCycleResult cycle;
        cycle.time = m_first + 60 * step.minute;
        cycle.data[kQS100] = rad::MakeSyntheticData(kQS100, cycle.time, 1);
        std::memcpy(cycle.data[kQS100]->SN, step.unit->SN, kTextFieldSize);
        EXPECT_TRUE(m_store->Store(cycle, {step.unit, nullptr, nullptr, nullptr}).written);
        times[static_cast<std::size_t>(step.part)].push_back(cycle.time);
    }
    EXPECT_EQ(Count("SENSOR QS100 CHANGED RSD PART 2"), 2);
    EXPECT_EQ(Count("SENSOR QS100 CHANGED RSD PART 1"), 1);
    EXPECT_EQ(m_listener.changedModels, (std::vector<int>{kQS100, kQS100, kQS100}));
    EXPECT_TRUE(HasNote("QS-100 serial 99999 is another unit than the calibration of "));
    const std::string day = rad::DayFilePath(m_settings.rsdFolder, m_first);
    EXPECT_FALSE(fs::exists(rad::DayPartPath(day, 3)));
    for (const int part : {1, 2}) {
        SCOPED_TRACE(part);
        CRsdData set;
        ASSERT_GE(set.Load(rad::DayPartPath(day, part)), 0);
        ASSERT_NE(set.GetCal(kQS100), nullptr);
        EXPECT_EQ(rad::SerialOf(set.GetCal(kQS100)->SN), part == 1 ? "10231" : "99999");
        EXPECT_TRUE(rad::FindSerialMismatches(set).empty());
        std::vector<int64_t> stored;
        for (int i = 0; i < set.GetCount(); ++i) stored.push_back(set.GetAt(i).m_time);
        EXPECT_EQ(stored, times[static_cast<std::size_t>(part)]);
    }
}

using Output = EngineTest;

// The year log and its lines are read back whole by the controller's tests below.
TEST(OutputPaths, FilesOfATime) {
    const int64_t t = LocalTime(2024, 7, 1, 6, 10, 0);
    EXPECT_EQ(rad::DayFilePath("/d/", t), "/d/2024/20240701.RSD");
    EXPECT_EQ(rad::HourFilePath("/c/", t), "/c/2024/2024070106.CSV");
}

// A FIFO in the log's place has no reader: appending must fail at once, not hang the program.
// The log written and appended to is read back whole by the controller's tests below.
TEST(YearLog, RefusesWhatIsNotARegularFile) {
    const std::string dir = ::testing::TempDir() + "yearlog_fifo/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "2025.LOG");
    const int64_t t = LocalTime(2024, 7, 1, 6, 10, 0);
    ASSERT_EQ(::mkfifo(rad::YearLogPath(dir, t).c_str(), 0600), 0);
    EXPECT_FALSE(rad::AppendYearLog(dir, t, "APP START"));
    EXPECT_FALSE(rad::AppendYearLog(dir, t + 366 * 86400, "APP START"));  // a directory
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
    // No sensor enabled: nothing is stored.
    EXPECT_FALSE(fs::exists(rad::DayFilePath(m_settings.rsdFolder, m_clock.Now())));
    EXPECT_EQ(m_host.notes, std::vector<std::string>{"manual: no sensor enabled"});
}

// A clock before the build is said once until it is set; every slot the ticks passed by is said.
TEST_F(Output, ClockNotSetAndSkippedSlotsAreSaid) {
    m_settings.start = 0;
    m_settings.end = 86399;
    m_settings.interval = 1;
    m_doc = std::make_unique<CRadlogDoc>(m_settings, m_host, m_clock, ReportLanguage::English,
                                         DocLimits{20000, 50, 1440, m_clock.Now() + 3});
    m_doc->StartInterval();
    Tick(1);
    m_clock.Advance(2);
    Tick(1);  // 06:00:02, past the build; 06:00:00 and 06:00:01 were passed by
    EXPECT_EQ(m_host.notes,
              (std::vector<std::string>{"CLOCK NOT SET? it reads 2024/07/01 05:59:58, before this "
                                        "program was built (2024/07/01)",
                                        "2 slots skipped: 06:00:00 to 06:00:01"}));
    EXPECT_EQ(m_doc->State().skippedSlots, 2);
}

}  // namespace
