#include "Rad.h"

CRad::CRad(const CRad& other) : m_time(other.m_time), m_strMemo(other.m_strMemo) {
    for (int m = 0; m < kModelCount; ++m) {
        if (other.m_pBlock[m]) m_pBlock[m] = std::make_unique<SensorData>(*other.m_pBlock[m]);
    }
}

CRad& CRad::operator=(const CRad& other) {
    if (this != &other) {
        CRad copy(other);
        copy.m_nSelect = m_nSelect;
        *this = std::move(copy);
    }
    return *this;
}

SensorData* CRad::Block(int model) const {
    return IsValidModel(model) ? m_pBlock[model].get() : nullptr;
}

void CRad::SetBlock(int model, const SensorData& data) {
    if (!IsValidModel(model)) return;
    if (m_pBlock[model])
        *m_pBlock[model] = data;
    else
        m_pBlock[model] = std::make_unique<SensorData>(data);
    m_pBlock[model]->m_nModel = model;
}

void CRad::RemoveBlock(int model) {
    if (IsValidModel(model)) m_pBlock[model].reset();
}
