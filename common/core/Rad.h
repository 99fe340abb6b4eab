#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "SensorBlocks.h"

// One record: a measurement instant with up to four sensor blocks.
class CRad {
  public:
    CRad() = default;
    // Copies time, memo and blocks; the selection mark is the viewer's and is not copied.
    CRad(const CRad& other);
    CRad& operator=(const CRad& other);
    CRad(CRad&&) noexcept = default;
    CRad& operator=(CRad&&) noexcept = default;
    ~CRad() = default;

    int64_t m_time = 0;
    std::string m_strMemo;
    int m_nSelect = 0;  // viewer selection, bit 0 = selected
    std::array<std::unique_ptr<SensorData>, kModelCount> m_pBlock;  // null = not in the record

    // The block of a model or null (also for a model index outside 0..3).
    SensorData* Block(int model) const;
    // SetQS100 .. SetQS400: copies the whole block into the record.
    void SetBlock(int model, const SensorData& data);
    void RemoveBlock(int model);
};
