#pragma once

#include <array>

// Reference functions of the CIE on the 1 nm grid 380..780 nm (element k belongs to 380 + k).
// The CIE publishes the colour-matching functions at 5 nm; the whole nanometres between two
// published points are interpolated linearly, as for V(lambda). Sources: docs/quantities.md.
namespace rad {

inline constexpr int kCieFirst = 380;
inline constexpr int kCieLast = 780;
inline constexpr std::size_t kCieCount = kCieLast - kCieFirst + 1;
using CieTable = std::array<double, kCieCount>;

// CIE 1931 2 degree standard observer.
extern const CieTable kCmfX;
extern const CieTable kCmfY;
extern const CieTable kCmfZ;
// CIE S 026 melanopic action spectrum (1 at 490 nm).
extern const CieTable kMelanopic;

// CIE erythema reference action spectrum, defined by formula from 250 to 400 nm.
double ErythemaWeight(double nm);

}  // namespace rad
