// Layout of the coefficient table of the L1.2 theory of the Galilean
// satellites (the table itself, l12_tabella.cpp, is generated).
#pragma once
#include <span>

namespace mr {

// One periodic term: amplitude times cos or sin of (phase + frequency * tau),
// tau in days from JD 2433282.5 (1950 January 1, 0h TT). Radians, rad/day.
struct TermineL12 {
  double ampiezza, fase, frequenza;
};

// One satellite: GM of Jupiter plus the satellite (AU^3/day^2), the linear part
// of the mean longitude (rad, rad/day) and the series of the elements:
// a (AU, cosines), lambda (rad, sines), z = k + i h and zeta = q + i p
// (complex exponentials).
struct SatelliteL12 {
  double mu;
  double lambda0, moto;
  std::span<const TermineL12> a, l, z, zeta;
};

// Io, Europa, Ganymede, Callisto.
extern const SatelliteL12 kSatellitiL12[4];

// The theory's axes as unit vectors on the J2000 mean equator and equinox:
// row 0 the x axis (node of Jupiter's equator), row 2 Jupiter's pole.
extern const double kAssiL12[3][3];

}  // namespace mr
