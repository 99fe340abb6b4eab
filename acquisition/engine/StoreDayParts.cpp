// The store step's choice of the day part: a swapped sensor unit gets a part of its own.
#include <filesystem>

#include "BlockSerials.h"
#include "DayParts.h"
#include "StoreStep.h"

namespace {

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Whether path is one of the parts of the day whose first part is dayPath.
bool IsPartOfDay(const std::string& path, const std::string& dayPath) {
    if (path.empty()) return false;
    const auto name = rad::ParseDayPartName(FileName(path));
    return name && rad::DayPartPath(dayPath, name->part) == path;
}

}  // namespace

std::string CStoreStep::ChoosePart(const std::string& dayPath, const CRad& record) {
    PartMismatch first;
    // The part the last store wrote, while the units stay: nothing else is read.
    if (IsPartOfDay(m_dayPath, dayPath) && FitsPart(m_dayPath, record, first)) {
        const std::string path = m_dayPath;
        NotePartChange(first, record, path);
        return path;
    }
    const std::string tried = first.path;
    for (int part = 1; part <= rad::kMaxDayParts; ++part) {
        const std::string path = rad::DayPartPath(dayPath, part);
        if (path == tried) continue;
        if (FitsPart(path, record, first)) {
            NotePartChange(first, record, path);
            return path;
        }
    }
    // Every part is taken by another unit: the last one gets the record, as before parts.
    const std::string path = rad::DayPartPath(dayPath, rad::kMaxDayParts);
    OpenCurrentDay(path);
    return path;
}

bool CStoreStep::FitsPart(const std::string& path, const CRad& record, PartMismatch& first) {
    OpenCurrentDay(path);
    // A part that cannot be read or checked keeps its old rule: the record is appended to it.
    if (!m_dayState.readable || m_dayState.blocked) return true;
    const int model = rad::FirstForeignBlock(m_dataSet, record);
    if (model < 0) return true;
    if (first.model < 0) first = {model, path, rad::SerialOf(m_dataSet.GetCal(model)->SN)};
    return false;
}

void CStoreStep::NotePartChange(const PartMismatch& first, const CRad& record,
                                const std::string& path) {
    if (first.model < 0 || path == m_lastPart) return;
    const auto name = rad::ParseDayPartName(FileName(path));
    const int part = name ? name->part : 1;
    m_log.WriteLog(std::string("SENSOR ") + kModels[first.model].key + " CHANGED RSD PART " +
                   std::to_string(part));
    const std::string detail = std::string(kModels[first.model].label) + " serial " +
                               rad::SerialOf(record.Block(first.model)->SN) +
                               " is another unit than the calibration of " + first.path +
                               " (serial " + first.calSerial + "): its records go to " + path;
    m_listener.Note(detail);
    m_listener.SensorChanged(first.model, detail);
}
