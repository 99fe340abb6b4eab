#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "RsdData.h"

// The pixel payloads of a set loaded with CRsdData::LoadSummary, back to back in one buffer
// that is kept from file to file: a batch of day files then costs no allocation per payload and
// no fresh memory after the first file.
namespace rad {

class PayloadStore {
  public:
    // Forgets the payloads and keeps the memory. Call before each load; firstRecord is the
    // lowest record the store will be given (a store that holds the records of a few rows at a
    // time starts at the first of them).
    void Clear(int firstRecord = 0);
    // Makes room for payloads of up to bytes in all (a file's size is enough).
    void Reserve(std::size_t bytes) { m_values.reserve(bytes / sizeof(float)); }
    // What LoadSummary is given: keeps each payload, the last one of a kind when a block
    // holds two.
    RsdPayloadVisitor Visitor();
    // The payload of record's block of model, or null when the block had none.
    const float* Find(int record, int model, bool dark) const;

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    using Slots = std::array<std::size_t, 2 * kModelCount>;  // offsets of MD and DD per model

    void Keep(int record, int model, bool dark, std::span<const float> values);

    std::vector<float> m_values;
    std::vector<Slots> m_records;  // from record m_first on
    int m_first = 0;
};

}  // namespace rad
