// Day files for the store step: read with their cut end set aside, created with the site
// header, written whole or appended to.
#include "DayFileIo.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "AtomicFile.h"
#include "LocalTime.h"
#include "OutputPaths.h"
#include "RegularFile.h"
#include "RsdTail.h"
#include "StoreStep.h"

namespace {
bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Temporary files of an atomic rewrite older than this, of a process that is gone, are left
// by a kill: an append sweeps them as a rewrite does.
constexpr long long kStaleTempSeconds = 60;
}  // namespace

std::string CDayFileIo::CauseText(int error) {
    return error != 0 ? rad::FileErrorText(error) : "not written";
}

CDayFileIo::State CDayFileIo::Open(CRsdData& set, const std::string& path) {
    State state;
    set.Clear();
    std::string content;  // the day file as the end check read it
    if (FileExists(path) && !Repair(path, content)) {
        state.blocked = true;
        return state;
    }
    // A repair that kept nothing removed the file: it is then created afresh.
    if (FileExists(path)) {
        ++m_nLoads;
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
bool CDayFileIo::Repair(const std::string& path, std::string& content) {
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

void CDayFileIo::FillSiteHeader(CRsdData& set) {
    m_settings.timeZoneText = rad::StandardOffsetText();
    set.m_strTZ = m_settings.timeZoneText;
    set.m_strSite = m_settings.siteName;
    set.m_strLon = m_settings.siteLon;
    set.m_strLat = m_settings.siteLat;
    set.m_strAlt = m_settings.siteAlt;
}

void CDayFileIo::JoinCalibrations(CRsdData& set, const DayCalSources& cals, State& state) {
    for (int model = 0; model < kModelCount; ++model) {
        // A day file that holds the model's calibration keeps the stored one.
        if (!cals[model] || set.GetCal(model)) continue;
        set.SetCal(model, *cals[model]);
        if (state.readable) state.rewrite = true;
    }
}

std::vector<CRad> CDayFileIo::Write(const CRsdData& set, const std::string& path,
                                    const State& state, std::vector<CRad> records) {
    std::size_t written = 0;
    std::string cause;
    try {
        if (state.blocked) {
            // Nothing is written; the records stay pending. Its cause was said by the repair.
        } else if (state.rewrite) {
            if (set.Save(path))
                written = records.size();
            else
                cause = CauseText(errno);
        } else {
            rad::RemoveStaleTempFiles(path, static_cast<long long>(std::time(nullptr)),
                                      kStaleTempSeconds);
            while (written < records.size() && set.Append(path, records[written])) ++written;
            if (written < records.size()) cause = CauseText(errno);
        }
    } catch (const std::exception& error) {
        // A write error after the open: the records not confirmed stay pending.
        cause = error.what();
    }
    if (written == records.size()) return {};
    m_log.WriteLog("ERROR RSD SAVE");
    records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(written));
    if (!cause.empty())
        m_listener.Note(path + ": cannot be written: " + cause + "; " +
                        std::to_string(records.size()) + " records wait for the next store");
    return records;
}
