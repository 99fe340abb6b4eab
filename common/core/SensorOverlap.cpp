#include "SensorOverlap.h"

#include <algorithm>
#include <cmath>

#include "SensorBlocks.h"
#include "SpectralMath.h"

namespace rad {
namespace {

double ValueAt(const SensorSpectrum& s, int pixel, double share) {
    const double y0 = s.Pixel(pixel);
    return y0 + (s.Pixel(pixel + 1) - y0) * share;
}

}  // namespace

std::optional<SensorOverlap> SensorOverlap::Of(const SensorCal& a, const SensorCal& b) {
    const double from = std::ceil(std::max(a.WL.front(), b.WL.front()));
    const double to = std::floor(std::min(a.WL.back(), b.WL.back()));
    if (!(to > from)) return std::nullopt;
    const auto place = [](const SensorCal& cal, double nm, int& hint) {
        const int n = static_cast<int>(cal.WL.size());
        hint = FindPixelInterval(cal.WL.data(), n, nm, hint);
        const double t0 = cal.WL[static_cast<std::size_t>(hint)];
        const double t1 = cal.WL[static_cast<std::size_t>(hint) + 1];
        return Place{hint, (nm - t0) / (t1 - t0)};
    };
    SensorOverlap overlap;
    int hintA = -1, hintB = -1;
    for (double nm = from; nm <= to; nm += kStepNm)
        overlap.m_points.emplace_back(place(a, nm, hintA), place(b, nm, hintB));
    return overlap;
}

std::optional<double> SensorOverlap::Deviation(const SensorSpectrum& a, const SensorSpectrum& b,
                                               double least) const {
    double difference = 0, level = 0;
    for (const auto& [pa, pb] : m_points) {
        const double va = ValueAt(a, pa.pixel, pa.share), vb = ValueAt(b, pb.pixel, pb.share);
        difference += std::fabs(va - vb);
        level += (std::fabs(va) + std::fabs(vb)) / 2;
    }
    if (!(level / static_cast<double>(m_points.size()) >= least)) return std::nullopt;
    return difference / level;
}

}  // namespace rad
