#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "Resample.h"
#include "RsdData.h"

// Hand-built data sets whose values are easy to state in a test.
namespace fixture {

// WL = first + step * pixel and CAL 1, so a pixel's calibrated value is MD - DD.
inline SensorCal LinearCal(int model, double first, double step) {
    SensorCal cal(model);
    for (std::size_t i = 0; i < cal.WL.size(); ++i) {
        cal.WL[i] = static_cast<float>(first + step * static_cast<double>(i));
        cal.CAL[i] = 1.0f;
    }
    return cal;
}

// A table from 300 to 1800 nm, the span every merge band lies in.
inline SensorCal WideCal(int model) {
    return LinearCal(model, 300.0, 1500.0 / (PixelCount(model) - 1));
}

// A block with MD = value + pixel * slope and DD 0.
inline SensorData RampBlock(int model, float value, float slope = 0.0f) {
    SensorData block(model);
    for (std::size_t i = 0; i < block.MD.size(); ++i)
        block.MD[i] = value + slope * static_cast<float>(i);
    return block;
}

inline int AddRecord(CRsdData& set, int64_t time, std::initializer_list<SensorData> blocks,
                     const std::string& memo = "") {
    CRad rad;
    rad.m_time = time;
    rad.m_strMemo = memo;
    for (const SensorData& block : blocks) rad.SetBlock(block.m_nModel, block);
    return set.AddRecord(rad);
}

// A spectrum of e(nm) on the grid first..last.
inline CResample Spectrum(int first, int last, const std::function<double(int)>& e) {
    CResample spectrum;
    spectrum.m_nFirst = first;
    spectrum.m_nLast = last;
    for (int nm = first; nm <= last; ++nm) spectrum.m_pValue.push_back(e(nm));
    return spectrum;
}

inline CResample Flat(int first, int last, double e) {
    return Spectrum(first, last, [e](int) { return e; });
}

}  // namespace fixture
