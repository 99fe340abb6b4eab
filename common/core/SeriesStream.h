#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "LightSeries.h"
#include "PayloadStore.h"
#include "RsdData.h"

// The rows of a file made while CRsdData::LoadSummary reads it: a record's row is made as soon
// as the next record starts (its blocks are complete then), from payloads that are still in
// the cache. No store of the whole file's pixels is written and read back.
namespace rad {

class SeriesStream {
  public:
    // set is the data set the load fills; it must outlive the stream. Room is made for
    // expectedRows rows at once (the count of a similar file), which spares the copies and
    // fresh pages of a growing vector.
    explicit SeriesStream(const CRsdData& set, std::size_t expectedRows = 0) : m_set(set) {
        m_rows.reserve(expectedRows);
    }
    // Hands each row to sink as it is made instead of keeping it (Finish then gives no rows):
    // the rows of a file of many records without data would cost many times the file.
    SeriesStream(const CRsdData& set, std::function<void(SeriesRow&&)> sink)
        : m_set(set), m_sink(std::move(sink)) {}
    SeriesStream(const SeriesStream&) = delete;
    SeriesStream& operator=(const SeriesStream&) = delete;

    // What LoadSummary is given.
    RsdPayloadVisitor Visitor();
    // After the load: the rows of every record, as ComputeSeries gives them for the loaded set
    // (none kept with a sink, which has had them all). nullopt when the file replaced a
    // calibration after rows had been made with the old one; the file then has to be loaded
    // with a PayloadStore (and what a sink was given is void).
    std::optional<std::vector<SeriesRow>> Finish();

  private:
    void Visit(int record, int model, bool dark, std::span<const float> values);
    // Makes the rows of the records before end that have none yet.
    void MakeRowsBefore(int end);

    const CRsdData& m_set;
    PayloadStore m_payloads;  // of the records from m_rows.size() on
    RsdPayloadVisitor m_keep = m_payloads.Visitor();
    SeriesRowMaker m_maker;
    std::vector<SeriesRow> m_rows;
    std::function<void(SeriesRow&&)> m_sink;
    int m_made = 0;                            // rows made so far
    std::optional<int> m_calBlocksAtFirstRow;  // the set's count of calibration blocks read
};

}  // namespace rad
