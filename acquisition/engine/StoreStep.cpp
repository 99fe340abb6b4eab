// The store step of a finished cycle: day file, hour file, status report.
#include "StoreStep.h"

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "AtomicFile.h"
#include "BlockSerials.h"
#include "LocalTime.h"
#include "OutputPaths.h"
#include "ProfileLocation.h"
#include "RegularFile.h"
#include "RsdTail.h"

namespace {
std::string MeasErrorText(int model) {
    return std::string("ERROR ") + kModels[model].key + " MEAS";
}

// Local time for the output; the seconds since 1970 when the time has no local form.
std::string TimeText(int64_t t) {
    const auto tm = rad::ToLocalTm(t);
    return tm ? rad::FormatLocalTm(*tm, "%Y/%m/%d %H:%M:%S") : std::to_string(t);
}

// Only a calibration of the unit that measured the record's block joins the day file.
CStoreStep::CalSources FittingCals(const CStoreStep::CalSources& cals, const CRad& record) {
    CStoreStep::CalSources fitting = cals;
    for (int model = 0; model < kModelCount; ++model) {
        const SensorData* block = record.Block(model);
        if (fitting[model] && block && rad::SerialsDiffer(block->SN, fitting[model]->SN))
            fitting[model] = nullptr;
    }
    return fitting;
}
}  // namespace

CStoreStep::CStoreStep(RadlogSettings& settings, ILogSink& log, IStoreListener& listener,
                       ReportLanguage language, std::size_t maxPending)
    : m_settings(settings),
      m_log(log),
      m_listener(listener),
      m_language(language),
      m_maxPending(maxPending),
      m_files(settings, log, listener),
      m_recoveryFolders(rad::FallbackDataFolders({}, "radlog")) {}

StoreOutcome CStoreStep::Store(const CCycleResult& cycle, const CalSources& readyCals) {
    m_inFlight = {};
    try {
        return StoreRecord(cycle, readyCals);
    } catch (const std::exception& error) {
        // No time, file or listener may end the program: the record waits, as after a failed
        // write.
        KeepAfterFailure(error.what());
    }
    return {};
}

StoreOutcome CStoreStep::StoreRecord(const CCycleResult& cycle, const CalSources& readyCals) {
    StoreOutcome outcome;
    const CRad record = BuildRecord(cycle, outcome.complete);
    const std::string dayPath = rad::DayFilePath(m_settings.rsdFolder, cycle.time);
    m_inFlight = {dayPath, {record}};
    const std::string path = ChoosePart(dayPath, record);
    m_inFlight.path = path;
    FlushOtherDays(path);
    CDayFileIo::JoinCalibrations(m_dataSet, FittingCals(readyCals, record), m_dayState);
    NoteStepBack(path, record);
    // Records an earlier store could not write go first, in time order.
    m_inFlight.records = TakePending(path);
    m_inFlight.records.push_back(record);
    for (const CRad& rad : m_inFlight.records) m_dataSet.AddRecord(rad);
    BuildReport();
    Tell([this] { m_listener.CycleStored(); });

    std::vector<CRad> unwritten =
        m_files.Write(m_dataSet, path, m_dayState, std::move(m_inFlight.records));
    m_inFlight = {};
    outcome.written = unwritten.empty();
    RememberWritten(path, outcome.written && m_dayState.readable);
    for (CRad& rad : unwritten) m_pending.push_back({path, std::move(rad)});
    CapPending();
    Tell([&] { m_listener.RecordStored(Stored(), outcome.written); });
    if (m_settings.saveCsv) WriteHourFile(record.m_time);
    return outcome;
}

void CStoreStep::KeepAfterFailure(const std::string& cause) {
    const std::size_t kept = m_inFlight.records.size();
    for (CRad& rad : m_inFlight.records) m_pending.push_back({m_inFlight.path, std::move(rad)});
    m_inFlight = {};
    // The data set no longer mirrors a file: the next store reads it afresh.
    m_dataSet.Clear();
    m_dayPath.clear();
    m_written.reset();
    m_log.WriteLog("ERROR RSD SAVE");
    m_listener.Note("store failed: " + cause + "; " + std::to_string(kept) +
                    " records kept for the next store");
    CapPending();
}

// A listener that fails (a display, the telemetry) does not keep the record from its file.
template <class Call>
void CStoreStep::Tell(Call call) {
    try {
        call();
    } catch (const std::exception& error) {
        m_listener.Note(std::string("the stored record could not be shown: ") + error.what());
    }
}

CDayFileIo::State CStoreStep::OpenCurrentDay(const std::string& path) {
    // Unchanged since this step wrote it: the data set still mirrors it.
    if (path == m_dayPath && m_written && rad::IdentityOf(path) == m_written) {
        m_dayState = {};
        return m_dayState;
    }
    m_written.reset();
    m_dayPath = path;
    m_dayState = m_files.Open(m_dataSet, path);
    return m_dayState;
}

void CStoreStep::RememberWritten(const std::string& path, bool mirrorsFile) {
    m_lastPart = path;
    if (mirrorsFile)
        m_written = rad::IdentityOf(path);
    else
        m_written.reset();
}

void CStoreStep::NoteStepBack(const std::string& path, const CRad& record) {
    const CRad* last = m_dataSet.GetLast();
    if (!last || record.m_time >= last->m_time) return;
    m_listener.Note(path + ": the record of " + TimeText(record.m_time) + " follows one of " +
                    TimeText(last->m_time) +
                    ": the clock stepped back, records are out of time order");
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
    // The last calibration reported may be of a unit exchanged since.
    for (const CRad& rad : records) cals = FittingCals(cals, rad);
    return cals;
}

std::vector<CRad> CStoreStep::WritePendingDay(const std::string& path, std::vector<CRad> records) {
    CRsdData set;
    CDayFileIo::State state = m_files.Open(set, path);
    CDayFileIo::JoinCalibrations(set, KnownCalsOf(records), state);
    for (const CRad& rad : records) set.AddRecord(rad);
    return m_files.Write(set, path, state, std::move(records));
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
    m_files.FillSiteHeader(set);
    CDayFileIo::State state;
    CDayFileIo::JoinCalibrations(set, KnownCalsOf(records), state);
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
    std::string path;
    try {
        path = rad::HourFilePath(m_settings.csvFolder, recordTime);
        rad::CreateParentFolders(path);
        m_csv.BuildMergedAxis(m_dataSet);
        if (m_csv.BuildCsvRows(m_dataSet, m_settings.csv) != 1) {
            // A range no instrument can mean: no file, as a failed save.
            m_log.WriteLog("ERROR CSV SAVE");
            m_listener.Note(path + ": cannot be written: the CSV range holds no wavelength");
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
        if (rad::WriteCsvLines(path, m_csv.csvLines)) return;
        const std::string cause = CDayFileIo::CauseText(errno);
        m_log.WriteLog("ERROR CSV SAVE");
        m_listener.Note(path + ": cannot be written: " + cause);
    } catch (const std::exception& error) {
        m_log.WriteLog("ERROR CSV SAVE");
        m_listener.Note((path.empty() ? std::string("the hour file") : path) +
                        ": cannot be written: " + error.what());
    }
}

void CStoreStep::BuildReport() {
    try {
        BuildStatusReport(m_dataSet, m_dataSet.GetCount() - 1, m_settings.dispMode,
                          m_settings.integ, m_language, m_spectrum, m_report);
    } catch (const std::invalid_argument&) {
        // A record time without a local form leaves the date text as it was.
    }
    // The one resample of the record: the quantities come from the report's spectrum.
    m_row = rad::SeriesRowOf(m_dataSet, m_dataSet.GetCount() - 1, m_spectrum);
}
