#include "SeriesRuns.h"

#include <algorithm>

namespace rad {
namespace {

// Records per run: enough for every thread to have a share worth starting.
constexpr std::size_t kRunRecords = 8192;

}  // namespace

void ForEachSeriesRow(const CRsdData& set, std::span<const int> indices, int threads,
                      const PayloadStore* payloads,
                      const std::function<void(const SeriesRow&)>& keep) {
    for (std::size_t at = 0; at < indices.size(); at += kRunRecords) {
        const auto run = indices.subspan(at, std::min(kRunRecords, indices.size() - at));
        for (const SeriesRow& row : ComputeSeries(set, run, threads, payloads)) keep(row);
    }
}

}  // namespace rad
