#pragma once

#include <span>

// The periodic terms of NREL's Solar Position Algorithm (Reda and Andreas, NREL/TP-560-34302,
// 2004, tables A4.2 and A4.3): the earth's heliocentric longitude, latitude and radius from
// VSOP87, and the nutation in longitude and obliquity.
namespace rad::spa {

struct PeriodicTerm {
    double a;
    double b;
    double c;
};

struct NutationTerm {
    signed char y[5];  // multipliers of X0..X4
    double a, b, c, d;
};

// Series L0..L5, B0..B1, R0..R4: each term adds a * cos(b + c * JME).
std::span<const std::span<const PeriodicTerm>> LongitudeSeries();
std::span<const std::span<const PeriodicTerm>> LatitudeSeries();
std::span<const std::span<const PeriodicTerm>> RadiusSeries();
std::span<const NutationTerm> NutationTerms();

}  // namespace rad::spa
