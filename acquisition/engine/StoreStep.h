#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "DayFileIo.h"
#include "DocEvents.h"
#include "FileIdentity.h"
#include "LogSink.h"
#include "RadlogSettings.h"
#include "Resample.h"
#include "RsdData.h"
#include "SpectralCsv.h"
#include "StatusReport.h"
#include "StoredRecord.h"

// Who follows the stores beyond the year log: the host's output and views, and the observer.
class IStoreListener {
  public:
    virtual ~IStoreListener() = default;
    // A line for the station's output: a repaired day file, dropped or recovered records.
    virtual void Note(const std::string& line) { (void)line; }
    // The record is the last one of the day's data set and the report is built: redraw.
    virtual void CycleStored() {}
    // written is false when the day file could not be written (the records stay pending).
    virtual void RecordStored(const StoredRecord& record, bool written) {
        (void)record;
        (void)written;
    }
    // Another unit of the model than the one whose calibration the day file holds: its records
    // go to another part of the day. detail is the output line that says so.
    virtual void SensorChanged(int model, const std::string& detail) {
        (void)model;
        (void)detail;
    }
};

// What the controller learns of one store.
struct StoreOutcome {
    bool written = false;   // the record (and every pending one of its day) reached the day file
    bool complete = false;  // every enabled model had a valid block
};

// The store step of a finished cycle: the record into the day file (with the records an
// earlier store could not write), the hour CSV, and the status report of the last record.
// Runs on the user-interface thread only.
class CStoreStep {
  public:
    // The calibration to join into the day file per model (null: none).
    using CalSources = DayCalSources;

    // maxPending: records kept for a later store when their day file cannot be written; beyond
    // it the oldest are dropped, so memory stays bounded.
    CStoreStep(RadlogSettings& settings, ILogSink& log, IStoreListener& listener,
               ReportLanguage language, std::size_t maxPending);
    CStoreStep(const CStoreStep&) = delete;
    CStoreStep& operator=(const CStoreStep&) = delete;

    // Stores one cycle; readyCals are the calibrations of the sensors ready now.
    StoreOutcome Store(const CCycleResult& cycle, const CalSources& readyCals);
    // A sensor reported its calibration: records of it that stay pending past this
    // acquisition are written with it.
    void NoteCalibration(int model, const SensorCal& cal) { m_knownCal[model] = cal; }
    // At the stop: one more try, then a recovery file for what is still pending.
    void FlushPendingAtStop();
    // Where records that cannot reach their day file by the stop are saved, best first
    // (default: rad::FallbackDataFolders without a user data folder).
    void SetRecoveryFolders(std::vector<std::string> folders) {
        m_recoveryFolders = std::move(folders);
    }

    // The day of the last store, as loaded and extended.
    const CRsdData& DataSet() const { return m_dataSet; }
    // What the view shows of the last record.
    const StatusReport& Report() const { return m_report; }
    // The last record of DataSet(), resampled once, and its quantities: what every listener
    // shows of it.
    StoredRecord Stored() const { return {m_dataSet, m_spectrum, m_row}; }
    int PendingRecords() const { return static_cast<int>(m_pending.size()); }
    // Day files read so far; a store reads its day file only when it changed on disk since
    // the last write, or a store failed.
    int DayFileLoads() const { return m_files.Loads(); }

  private:
    struct PendingRecord {
        std::string path;
        CRad rad;
    };
    // The records of the store under way that have not reached their day file yet.
    struct InFlight {
        std::string path;
        std::vector<CRad> records;
    };
    // The first day part passed over because a block of the record is of another unit.
    struct PartMismatch {
        int model = -1;
        std::string path;
        std::string calSerial;
    };

    StoreOutcome StoreRecord(const CCycleResult& cycle, const CalSources& readyCals);
    void KeepAfterFailure(const std::string& cause);
    template <class Call>
    void Tell(Call call);
    // The part of the day whose calibrations fit the record's blocks, opened into m_dataSet.
    std::string ChoosePart(const std::string& dayPath, const CRad& record);
    bool FitsPart(const std::string& path, const CRad& record, PartMismatch& first);
    void NotePartChange(const PartMismatch& first, const CRad& record, const std::string& path);
    // The day file into m_dataSet, read only when it is not the file the last store wrote.
    CDayFileIo::State OpenCurrentDay(const std::string& path);
    void RememberWritten(const std::string& path, bool mirrorsFile);
    void NoteStepBack(const std::string& path, const CRad& record);
    CRad BuildRecord(const CCycleResult& cycle, bool& complete);
    std::vector<CRad> TakePending(const std::string& path);
    void FlushOtherDays(const std::string& path);
    CalSources KnownCalsOf(const std::vector<CRad>& records) const;
    std::vector<CRad> WritePendingDay(const std::string& path, std::vector<CRad> records);
    void CapPending();
    void RecoverRecords(const std::string& path, const std::vector<CRad>& records);
    void WriteHourFile(int64_t recordTime);
    void BuildReport();

    RadlogSettings& m_settings;
    ILogSink& m_log;
    IStoreListener& m_listener;
    const ReportLanguage m_language;
    const std::size_t m_maxPending;
    CDayFileIo m_files;

    CRsdData m_dataSet;
    CSpectralCsv m_csv;
    CResample m_spectrum;
    rad::SeriesRow m_row;
    StatusReport m_report;
    std::vector<PendingRecord> m_pending;  // records not yet in their day file, oldest first
    std::array<std::optional<SensorCal>, kModelCount> m_knownCal;  // last ever reported
    std::vector<std::string> m_recoveryFolders;

    CDayFileIo::State m_dayState;                // of the day file m_dataSet was opened from
    std::string m_dayPath;                       // that file; "" when m_dataSet mirrors none
    std::optional<rad::FileIdentity> m_written;  // the file as the last write left it
    std::string m_lastPart;                      // where the last store went
    InFlight m_inFlight;
};
