// The store step of a finished cycle: day file, hour file, status report.
#include "StoreStep.h"

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "LocalTime.h"
#include "OutputPaths.h"
#include "ProfileLocation.h"
#include "RegularFile.h"
#include "RsdTail.h"

namespace {
std::string MeasErrorText(int model) {
    return std::string("ERROR ") + kModels[model].key + " MEAS";
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}
}  // namespace

CStoreStep::CStoreStep(RadlogSettings& settings, ILogSink& log, IStoreListener& listener,
                       ReportLanguage language, std::size_t maxPending)
    : m_settings(settings),
      m_log(log),
      m_listener(listener),
      m_language(language),
      m_maxPending(maxPending),
      m_recoveryFolders(rad::FallbackDataFolders({}, "radlog")) {}

StoreOutcome CStoreStep::Store(const CCycleResult& cycle, const CalSources& readyCals) {
    const std::string path = rad::DayFilePath(m_settings.rsdFolder, cycle.time);
    FlushOtherDays(path);
    DayFileState state = OpenDayFile(m_dataSet, path);
    JoinCalibrations(m_dataSet, readyCals, state);

    StoreOutcome outcome;
    const CRad record = BuildRecord(cycle, outcome.complete);
    // Records an earlier store could not write go first, in time order.
    std::vector<CRad> toWrite = TakePending(path);
    toWrite.push_back(record);
    for (const CRad& rad : toWrite) m_dataSet.AddRecord(rad);
    BuildReport();
    m_listener.CycleStored();

    std::vector<CRad> unwritten = WriteDayRecords(m_dataSet, path, state, std::move(toWrite));
    outcome.written = unwritten.empty();
    for (CRad& rad : unwritten) m_pending.push_back({path, std::move(rad)});
    CapPending();
    m_listener.RecordStored(m_dataSet, outcome.written);
    if (m_settings.saveCsv) WriteHourFile(record.m_time);
    return outcome;
}

CStoreStep::DayFileState CStoreStep::OpenDayFile(CRsdData& set, const std::string& path) {
    DayFileState state;
    set.Clear();
    std::string content;  // the day file as the end check read it
    if (FileExists(path) && !RepairDayFile(path, content)) {
        state.blocked = true;
        return state;
    }
    // A repair that kept nothing removed the file: it is then created afresh.
    if (FileExists(path)) {
        try {
            // Parsed from the bytes the end check read: a day file is read once per store.
            state.readable =
                (content.empty() ? set.Load(path)
                                 : set.LoadFromMemory(content.data(), content.size())) >= 0;
        } catch (const RsdInvalidDataError&) {
            state.readable = false;
        } catch (const std::invalid_argument&) {
            state.readable = false;
        }
        // An unreadable file is only ever appended to, so nothing on disk is lost.
        if (!state.readable) m_log.WriteLog("ERROR RSD LOAD");
        return state;
    }
    rad::CreateParentFolders(path);
    FillSiteHeader(set);
    state.rewrite = true;
    return state;
}

// A day file cut inside its last record (a crash or power loss during an append) would take
// the next record's bytes as the rest of the cut one; its cut end is set aside first.
bool CStoreStep::RepairDayFile(const std::string& path, std::string& content) {
    const rad::RsdRepairResult repair = rad::RepairRsdTail(path, &content);
    if (repair.outcome == rad::RsdRepairResult::kRepaired) {
        const std::string bytes = std::to_string(repair.cutBytes);
        m_log.WriteLog("REPAIR RSD " + bytes + " BYTES SET ASIDE");
        m_listener.Note(path + ": ended inside a record; its last " + bytes + " bytes went to " +
                        repair.sidePath);
    } else if (repair.outcome == rad::RsdRepairResult::kFailed) {
        // Unchecked, it is not appended to: the records stay pending.
        m_listener.Note(
            path + ": its end cannot be checked or repaired: " + rad::FileErrorText(repair.error));
        return false;
    }
    return true;
}

void CStoreStep::FillSiteHeader(CRsdData& set) {
    m_settings.timeZoneText = rad::StandardOffsetText();
    set.m_strTZ = m_settings.timeZoneText;
    set.m_strSite = m_settings.siteName;
    set.m_strLon = m_settings.siteLon;
    set.m_strLat = m_settings.siteLat;
    set.m_strAlt = m_settings.siteAlt;
}

void CStoreStep::JoinCalibrations(CRsdData& set, const CalSources& cals,
                                  DayFileState& state) const {
    for (int model = 0; model < kModelCount; ++model) {
        // A day file that holds the model's calibration keeps the stored one.
        if (!cals[model] || set.GetCal(model)) continue;
        set.SetCal(model, *cals[model]);
        if (state.readable) state.rewrite = true;
    }
}

CRad CStoreStep::BuildRecord(const CCycleResult& cycle, bool& complete) {
    CRad record;
    record.m_time = cycle.time;
    m_report.titleText = m_settings.memo;
    record.m_strMemo = m_settings.memo;
    complete = true;
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_settings.use[model]) continue;
        if (cycle.data[model]) {
            record.SetBlock(model, *cycle.data[model]);
        } else {
            m_log.WriteLog(MeasErrorText(model));
            complete = false;
        }
    }
    return record;
}

std::vector<CRad> CStoreStep::TakePending(const std::string& path) {
    std::vector<CRad> taken;
    std::vector<PendingRecord> others;
    for (PendingRecord& pending : m_pending) {
        if (pending.path == path)
            taken.push_back(std::move(pending.rad));
        else
            others.push_back(std::move(pending));
    }
    m_pending = std::move(others);
    return taken;
}

std::vector<CRad> CStoreStep::WriteDayRecords(const CRsdData& set, const std::string& path,
                                              const DayFileState& state,
                                              std::vector<CRad> records) {
    std::size_t written = 0;
    try {
        if (state.blocked) {
            // Nothing is written; the records stay pending.
        } else if (state.rewrite) {
            if (set.Save(path)) written = records.size();
        } else {
            while (written < records.size() && set.Append(path, records[written])) ++written;
        }
    } catch (const std::exception&) {
        // A write error after the open: the records not confirmed stay pending.
    }
    if (written == records.size()) return {};
    m_log.WriteLog("ERROR RSD SAVE");
    records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(written));
    return records;
}

void CStoreStep::FlushOtherDays(const std::string& path) {
    while (!m_pending.empty() && m_pending.front().path != path) {
        const std::string otherPath = m_pending.front().path;
        std::vector<CRad> unwritten = WritePendingDay(otherPath, TakePending(otherPath));
        if (unwritten.empty()) continue;
        // Still not writable: keep them ahead of the newer records and try at the next store.
        std::vector<PendingRecord> kept;
        for (CRad& rad : unwritten) kept.push_back({otherPath, std::move(rad)});
        for (PendingRecord& pending : m_pending) kept.push_back(std::move(pending));
        m_pending = std::move(kept);
        return;
    }
}

CStoreStep::CalSources CStoreStep::KnownCalsOf(const std::vector<CRad>& records) const {
    CalSources cals{};
    for (const CRad& rad : records)
        for (int model = 0; model < kModelCount; ++model)
            if (rad.Block(model) && m_knownCal[model]) cals[model] = &*m_knownCal[model];
    return cals;
}

std::vector<CRad> CStoreStep::WritePendingDay(const std::string& path, std::vector<CRad> records) {
    CRsdData set;
    DayFileState state = OpenDayFile(set, path);
    JoinCalibrations(set, KnownCalsOf(records), state);
    for (const CRad& rad : records) set.AddRecord(rad);
    return WriteDayRecords(set, path, state, std::move(records));
}

void CStoreStep::CapPending() {
    if (m_pending.size() <= m_maxPending) return;
    const std::size_t dropped = m_pending.size() - m_maxPending;
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(dropped));
    m_log.WriteLog("DROP RSD " + std::to_string(dropped) + " RECORDS");
    m_listener.Note(std::to_string(dropped) + " oldest unstored records dropped: no more than " +
                    std::to_string(m_maxPending) + " are kept");
}

void CStoreStep::FlushPendingAtStop() {
    while (!m_pending.empty()) {
        const std::string path = m_pending.front().path;
        const std::vector<CRad> unwritten = WritePendingDay(path, TakePending(path));
        if (!unwritten.empty()) RecoverRecords(path, unwritten);
    }
}

void CStoreStep::RecoverRecords(const std::string& path, const std::vector<CRad>& records) {
    CRsdData set;
    FillSiteHeader(set);
    DayFileState state;
    JoinCalibrations(set, KnownCalsOf(records), state);
    for (const CRad& rad : records) set.AddRecord(rad);
    const std::string count = std::to_string(records.size());
    const std::string stem = std::filesystem::path(path).stem().string();
    int error = ENOENT;
    for (const std::string& folder : m_recoveryFolders) {
        if (!rad::EnsureFolder(folder)) continue;
        const std::string saved = rad::WriteRecoveryFile(folder, stem, set);
        if (!saved.empty()) {
            m_log.WriteLog("RECOVER RSD " + count + " RECORDS");
            m_listener.Note(count + " records not stored in " + path + " were saved to " + saved);
            return;
        }
        error = errno;
    }
    m_log.WriteLog("LOST RSD " + count + " RECORDS");
    m_listener.Note(count + " records not stored in " + path +
                    " could not be saved anywhere: " + rad::FileErrorText(error));
}

void CStoreStep::WriteHourFile(int64_t recordTime) {
    const std::string path = rad::HourFilePath(m_settings.csvFolder, recordTime);
    rad::CreateParentFolders(path);
    m_csv.BuildMergedAxis(m_dataSet);
    if (m_csv.BuildCsvRows(m_dataSet, m_settings.csv) != 1) {
        m_log.WriteLog(
            "ERROR CSV SAVE");  // a range no instrument can mean: no file, as a failed save
        return;
    }
    const auto hourOf = [](int64_t t) {
        const auto tm = rad::ToLocalTm(t);
        return tm ? tm->tm_hour : -1;
    };
    const int hour = hourOf(recordTime);
    std::vector<int> indices;
    for (int index = 0; index < m_dataSet.GetCount(); ++index)
        if (hourOf(m_dataSet.GetAt(index).m_time) == hour) indices.push_back(index);
    m_csv.AppendRecords(m_dataSet, indices, m_settings.csv);
    if (!rad::WriteCsvLines(path, m_csv.csvLines)) m_log.WriteLog("ERROR CSV SAVE");
}

void CStoreStep::BuildReport() {
    try {
        BuildStatusReport(m_dataSet, m_dataSet.GetCount() - 1, m_settings.dispMode,
                          m_settings.integ, m_language, m_spectrum, m_report);
    } catch (const std::invalid_argument&) {
        // A record time without a local form leaves the date text as it was.
    }
}
