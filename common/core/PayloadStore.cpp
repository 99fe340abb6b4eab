#include "PayloadStore.h"

namespace rad {

void PayloadStore::Clear(int firstRecord) {
    m_values.clear();
    m_records.clear();
    m_first = firstRecord;
}

RsdPayloadVisitor PayloadStore::Visitor() {
    return [this](int record, int model, bool dark, std::span<const float> values) {
        Keep(record, model, dark, values);
    };
}

void PayloadStore::Keep(int record, int model, bool dark, std::span<const float> values) {
    if (record < m_first) return;
    const auto r = static_cast<std::size_t>(record - m_first);
    if (m_records.size() <= r) {
        Slots none;
        none.fill(kNone);
        m_records.resize(r + 1, none);
    }
    m_records[r][static_cast<std::size_t>(2 * model + (dark ? 1 : 0))] =
        values.empty() ? kNone : m_values.size();
    m_values.insert(m_values.end(), values.begin(), values.end());
}

const float* PayloadStore::Find(int record, int model, bool dark) const {
    const auto r = static_cast<std::size_t>(record - m_first);
    if (record < m_first || r >= m_records.size() || model < 0 || model >= kModelCount)
        return nullptr;
    const std::size_t at = m_records[r][static_cast<std::size_t>(2 * model + (dark ? 1 : 0))];
    return at == kNone ? nullptr : m_values.data() + at;
}

}  // namespace rad
