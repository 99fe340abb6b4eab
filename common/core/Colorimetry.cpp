#include "Colorimetry.h"

#include <cmath>
#include <limits>
#include <vector>

#include "CieTables.h"

namespace rad {
namespace {

constexpr double kSecondRadiationConstant = 1.4388e-2;  // m K, as the CIE uses for the locus
constexpr double kMaxDuv = 0.05;
// The locus is tabulated every kMiredStep reciprocal megakelvin: the mired scale spreads the
// locus evenly, so straight pieces between the points stay close to the curve everywhere.
constexpr double kMiredStep = 1.0;
constexpr double kMiredFirst = 10.0;   // 100000 K
constexpr double kMiredLast = 1000.0;  // 1000 K

struct UV {
    double u = 0, v = 0;
};

UV ToUV(const Tristimulus& t) {
    const double d = t.X + 15.0 * t.Y + 3.0 * t.Z;
    return {4.0 * t.X / d, 6.0 * t.Y / d};
}

Tristimulus PlanckTristimulus(double kelvin) {
    Tristimulus t;
    for (std::size_t k = 0; k < kCieCount; ++k) {
        const double metres = (kCieFirst + static_cast<double>(k)) * 1e-9;
        const double m =
            1.0 / (std::pow(metres, 5) * std::expm1(kSecondRadiationConstant / (metres * kelvin)));
        t.X += m * kCmfX[k];
        t.Y += m * kCmfY[k];
        t.Z += m * kCmfZ[k];
    }
    return t;
}

// (u, v) of the locus at mired kMiredFirst + i * kMiredStep; built once, on first use.
const std::vector<UV>& Locus() {
    static const std::vector<UV> locus = [] {
        std::vector<UV> points;
        const int count = static_cast<int>((kMiredLast - kMiredFirst) / kMiredStep) + 1;
        points.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            points.push_back(ToUV(PlanckTristimulus(1e6 / (kMiredFirst + i * kMiredStep))));
        return points;
    }();
    return locus;
}

struct Projection {
    double t = 0;  // 0..1 along the piece
    double dist2 = std::numeric_limits<double>::infinity();
};

Projection Project(const UV& a, const UV& b, const UV& p) {
    const double du = b.u - a.u, dv = b.v - a.v;
    double t = ((p.u - a.u) * du + (p.v - a.v) * dv) / (du * du + dv * dv);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double eu = a.u + t * du - p.u, ev = a.v + t * dv - p.v;
    return {t, eu * eu + ev * ev};
}

}  // namespace

std::optional<Chromaticity> ToChromaticity(const Tristimulus& t) {
    const double sum = t.X + t.Y + t.Z;
    if (!(sum > 0) || !std::isfinite(sum)) return std::nullopt;
    return Chromaticity{t.X / sum, t.Y / sum};
}

std::optional<ColourTemperature> ToColourTemperature(const Tristimulus& t) {
    if (!ToChromaticity(t)) return std::nullopt;
    const UV p = ToUV(t);
    const std::vector<UV>& locus = Locus();
    std::size_t nearest = 0;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < locus.size(); ++i) {
        const double du = locus[i].u - p.u, dv = locus[i].v - p.v;
        const double d2 = du * du + dv * dv;
        if (d2 < best) {
            best = d2;
            nearest = i;
        }
    }
    // The nearest point of the curve lies on one of the two pieces meeting at that vertex.
    std::size_t piece = nearest;
    Projection onPiece;
    if (nearest + 1 < locus.size()) onPiece = Project(locus[nearest], locus[nearest + 1], p);
    if (nearest > 0) {
        const Projection before = Project(locus[nearest - 1], locus[nearest], p);
        if (before.dist2 < onPiece.dist2) {
            onPiece = before;
            piece = nearest - 1;
        }
    }
    const double mired = kMiredFirst + (static_cast<double>(piece) + onPiece.t) * kMiredStep;
    if (mired <= kMiredFirst || mired >= kMiredLast) return std::nullopt;
    const UV& a = locus[piece];
    const UV& b = locus[piece + 1];
    const double onV = a.v + onPiece.t * (b.v - a.v);
    const double duv = std::copysign(std::sqrt(onPiece.dist2), p.v - onV);
    if (std::fabs(duv) > kMaxDuv) return std::nullopt;
    return ColourTemperature{1e6 / mired, duv};
}

}  // namespace rad
