#include "RsdData.h"

#include <cerrno>
#include <stdexcept>

#include "RegularFile.h"

namespace {
void CheckIndex(const CRsdData& set, int index) {
    if (index < 0 || index >= set.GetCount())
        throw std::out_of_range("record index " + std::to_string(index) + " outside 0.." +
                                std::to_string(set.GetCount() - 1));
}
}  // namespace

const char* RsdLoadResultText(int result) {
    switch (result) {
        case kRsdBadHeader:
            return "not an RSD file (it does not begin with \"HD_RSD,\")";
        case kRsdCannotOpen:
            return "the file cannot be opened for reading";
        case kRsdNoFile:
            return "the file does not exist";
        case kRsdNoMemory:
            return "no memory for the file contents";
        default:
            return result >= 0 ? "loaded" : "unknown error";
    }
}

std::string RsdLoadErrorText(int result, int cause) {
    if (cause == 0 || result == kRsdNoMemory || (result == kRsdNoFile && cause == ENOENT)) {
        return RsdLoadResultText(result);
    }
    // Anything else that denies the status (a symlink loop, a folder without access) is no
    // proof that the file is missing.
    return std::string(RsdLoadResultText(kRsdCannotOpen)) + ": " + rad::FileErrorText(cause);
}

int CRsdData::AddRecord(const CRad& rad) {
    auto copy = std::make_unique<CRad>(rad);
    copy->m_nSelect = 0;
    m_arRad.push_back(std::move(copy));
    return GetCount() - 1;
}

CRad* CRsdData::GetLast() const { return m_arRad.empty() ? nullptr : m_arRad.back().get(); }

CRad& CRsdData::GetAt(int index) const {
    CheckIndex(*this, index);
    return *m_arRad[static_cast<std::size_t>(index)];
}

void CRsdData::RemoveAt(int index) {
    CheckIndex(*this, index);
    m_arRad.erase(m_arRad.begin() + index);
}

void CRsdData::Clear() {
    while (!m_arRad.empty()) m_arRad.pop_back();
    for (auto& cal : m_pCal) cal.reset();
    m_strSite.clear();
    m_strLon.clear();
    m_strLat.clear();
    m_strAlt.clear();
    m_strTZ.clear();
}

void CRsdData::SetCal(int model, const SensorCal& cal) {
    if (!IsValidModel(model)) return;
    if (m_pCal[model])
        *m_pCal[model] = cal;
    else
        m_pCal[model] = std::make_unique<SensorCal>(cal);
    m_pCal[model]->m_nModel = model;
}

const SensorCal* CRsdData::GetCal(int model) const {
    return IsValidModel(model) ? m_pCal[model].get() : nullptr;
}

double CRsdData::GetCalWavelength(int model, int pixel) const {
    const SensorCal* cal = GetCal(model);
    if (!cal || pixel < 0 || pixel >= static_cast<int>(cal->WL.size())) return 0.0;
    return cal->WL[static_cast<std::size_t>(pixel)];
}

SensorData* CRsdData::GetRecordBlock(int model, int index) const {
    CheckIndex(*this, index);
    return m_arRad[static_cast<std::size_t>(index)]->Block(model);
}

bool CRsdData::HasUsableCal(int model) const {
    const SensorCal* cal = GetCal(model);
    return cal && static_cast<int>(cal->WL.size()) == PixelCount(model) &&
           static_cast<int>(cal->CAL.size()) == PixelCount(model) && cal->HasUsableWavelengths();
}

const SensorData* CRsdData::GetSpectralBlock(int model, int index) const {
    const SensorData* block = GetRecordBlock(model, index);
    if (!block || !HasUsableCal(model)) return nullptr;
    auto sized = [model](const std::vector<float>& payload) {
        return payload.empty() || static_cast<int>(payload.size()) == PixelCount(model);
    };
    if (!sized(block->MD) || !sized(block->DD)) return nullptr;
    return block;
}
