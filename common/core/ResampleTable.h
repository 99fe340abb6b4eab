#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "SensorModel.h"

class CRsdData;

// Resampling of one record onto whole nanometres, split into what depends on the calibrations
// only (for every grid point: the pixel interval of each sensor and the blend weights) and the
// per-record arithmetic. A table is built once and then fills the spectrum of every record
// with the same sensor combination, with the values CResample::Resample has always given.
namespace rad {

class PayloadStore;

class ResampleTable {
  public:
    // The table for record index of set (the sensors it holds, merged as the merge rule says),
    // restricted to the whole nanometres from..to. nullopt when the record has no usable
    // block or its grid lies outside from..to. Throws std::out_of_range for a bad index.
    static std::optional<ResampleTable> For(const CRsdData& set, int index, int from = INT32_MIN,
                                            int to = INT32_MAX);

    int First() const { return m_first; }
    int Last() const { return m_last; }
    std::size_t Size() const { return m_points.size(); }
    // The models the table reads, packed by Key(); a record with the same key shares the table.
    uint32_t SensorKey() const { return m_key; }

    // The spectrum of record index into out (Size() values, element k at First() + k nm).
    // The record must have this table's key. With payloads, the pixels come from there (a set
    // read with LoadSummary) instead of from the blocks.
    void Fill(const CRsdData& set, int index, double* out,
              const PayloadStore* payloads = nullptr) const;

    // Which usable blocks record index holds, and so which table it needs; 0 for none.
    static uint32_t Key(const CRsdData& set, int index);

  private:
    // One sensor's part of a grid point: value = y0 + (y1 - y0) * offset / width between
    // pixels pixel and pixel + 1; pixel -1 reads as 0 (outside the sensor's table).
    struct Interp {
        int pixel = -1;
        double offset = 0;
        double width = 1;
    };
    struct Point {
        Interp a;  // the short-wave sensor, or the only one
        Interp b;  // the long-wave sensor of a pair
        // 0: a only; 1: b only; 2: a * weight + b * (1 - weight)
        int mode = 0;
        double weight = 0;
    };

    int m_first = 0;
    int m_last = -1;
    int m_modelA = -1;
    int m_modelB = -1;
    uint32_t m_key = 0;
    std::vector<Point> m_points;
};

// Tables of one data set by sensor combination, built on first use. Not shared between
// threads: each worker keeps its own.
// Records resampled so far in this process, by any path: the derived values of a stored record
// are computed from one resample, and the tests count it.
uint64_t ResampleCount();

class ResampleTables {
  public:
    explicit ResampleTables(int from = INT32_MIN, int to = INT32_MAX) : m_from(from), m_to(to) {}

    // The table for record index, or null when the record has no spectrum in from..to.
    const ResampleTable* For(const CRsdData& set, int index);

  private:
    int m_from;
    int m_to;
    std::optional<std::array<bool, kModelCount>> m_usable;  // per calibration, checked once
    std::vector<std::pair<uint32_t, std::optional<ResampleTable>>> m_tables;
};

}  // namespace rad
