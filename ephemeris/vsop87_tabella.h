// Layout of the coefficient table of VSOP87B for Jupiter (the table itself,
// vsop87_tabella.cpp, is generated).
#pragma once
#include <span>

namespace mr {

// One periodic term: A cos(B + C tau), tau in Julian millennia of TT (taken as
// TDB) from J2000.0. A in radians (longitude, latitude) or AU (distance), B in
// radians, C in radians per millennium.
struct TermineVsop87 {
  double A, B, C;
};

// The series of Jupiter's heliocentric longitude, latitude and distance
// (first index 0, 1, 2) by power 0 to 5 of tau (second index); dynamical
// ecliptic and equinox of J2000.
extern const std::span<const TermineVsop87> kGioveVsop87B[3][6];

}  // namespace mr
