#pragma once

#include <functional>
#include <span>

#include "LightSeries.h"

namespace rad {

// The rows of the records of indices, in order, each handed to keep and then dropped; made in
// runs of records on up to threads threads (ComputeSeries). The rows of a whole file at once
// could cost many times the file: one of records without data is mostly the rows' quantities.
void ForEachSeriesRow(const CRsdData& set, std::span<const int> indices, int threads,
                      const PayloadStore* payloads,
                      const std::function<void(const SeriesRow&)>& keep);

}  // namespace rad
