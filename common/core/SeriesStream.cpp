#include "SeriesStream.h"

namespace rad {

RsdPayloadVisitor SeriesStream::Visitor() {
    return [this](int record, int model, bool dark, std::span<const float> values) {
        Visit(record, model, dark, values);
    };
}

void SeriesStream::Visit(int record, int model, bool dark, std::span<const float> values) {
    if (record > static_cast<int>(m_rows.size())) {
        // Blocks only ever join the last record: every one before record is complete.
        MakeRowsBefore(record);
        m_payloads.Clear(record);
    }
    m_keep(record, model, dark, values);
}

void SeriesStream::MakeRowsBefore(int end) {
    if (!m_calibrations) m_calibrations = Calibrations();
    for (int index = static_cast<int>(m_rows.size()); index < end; ++index)
        m_maker.Make(m_set, index, &m_payloads, m_rows.emplace_back());
}

std::array<const SensorCal*, kModelCount> SeriesStream::Calibrations() const {
    std::array<const SensorCal*, kModelCount> cals{};
    for (int m = 0; m < kModelCount; ++m) cals[static_cast<std::size_t>(m)] = m_set.GetCal(m);
    return cals;
}

std::optional<std::vector<SeriesRow>> SeriesStream::Finish() {
    // A calibration block after the records makes a new calibration object, so a changed
    // address tells that the rows made so far used another one.
    if (m_calibrations && *m_calibrations != Calibrations()) return std::nullopt;
    MakeRowsBefore(m_set.GetCount());
    return std::move(m_rows);
}

}  // namespace rad
