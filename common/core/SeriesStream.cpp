#include "SeriesStream.h"

namespace rad {

RsdPayloadVisitor SeriesStream::Visitor() {
    return [this](int record, int model, bool dark, std::span<const float> values) {
        Visit(record, model, dark, values);
    };
}

void SeriesStream::Visit(int record, int model, bool dark, std::span<const float> values) {
    if (record > m_made) {
        // Blocks only ever join the last record: every one before record is complete.
        MakeRowsBefore(record);
        m_payloads.Clear(record);
    }
    m_keep(record, model, dark, values);
}

void SeriesStream::MakeRowsBefore(int end) {
    if (!m_calBlocksAtFirstRow) m_calBlocksAtFirstRow = m_set.m_nCalBlocksRead;
    for (; m_made < end; ++m_made) {
        if (!m_sink) {
            m_maker.Make(m_set, m_made, &m_payloads, m_rows.emplace_back());
            continue;
        }
        SeriesRow row;
        m_maker.Make(m_set, m_made, &m_payloads, row);
        m_sink(std::move(row));
    }
}

std::optional<std::vector<SeriesRow>> SeriesStream::Finish() {
    // A calibration block read after the first row replaced one the rows made so far may have
    // used. Counted, not told by the object's address: a freed object's address comes back.
    if (m_calBlocksAtFirstRow && *m_calBlocksAtFirstRow != m_set.m_nCalBlocksRead)
        return std::nullopt;
    MakeRowsBefore(m_set.GetCount());
    return std::move(m_rows);
}

}  // namespace rad
