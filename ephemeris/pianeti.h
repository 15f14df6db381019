// Heliocentric states of the Earth (ERFA's eraEpv00) and of Jupiter (the full
// VSOP87B series), directly or interpolated over a window for speed.
#pragma once
#include <vector>

#include "ephemeris/vettore.h"

namespace mr {

// Speed of light, AU per day; one equatorial and the polar radius of Jupiter, AU.
extern const double kLuceUAGiorno;
extern const double kRaggioEquatorialeGiove;
extern const double kRaggioPolareGiove;

// Position (AU) and velocity (AU/day), heliocentric, ICRS axes (J2000 mean
// equator and equinox to 0.02").
struct StatoPianeta {
  Vettore r, v;
};

// Jupiter's heliocentric place on the dynamical ecliptic and equinox of
// J2000: longitude and latitude (radians, the longitude not reduced), distance
// (AU), and their rates per day.
struct SfericheEclittiche {
  double l, b, r;
  double dl, db, dr;
};

// Given t, days of TT (taken as TDB) from J2000.0 (JD 2451545.0): VSOP87B,
// every term of the published series, good to about 1" from 1 to 4000 AD.
SfericheEclittiche GioveVsop87B(double t);

// Given t, days of TT (taken as TDB) from J2000.0. The Earth's theory is best
// in 1900-2100 (a few km) and outside it still returns finite values of lower
// accuracy; Jupiter's is VSOP87B rotated to the equator of J2000 (the FK5
// axes, 0.02" from the ICRS ones), its velocity from the series' derivatives.
StatoPianeta TerraEliocentrica(double t);
StatoPianeta GioveEliocentrico(double t);

// Earth and Jupiter over a window of TT days [t0, t1]: cubic Hermite
// interpolation between daily states of the theories (error below 0.1 km).
// Outside the window, or when built with no window, the theories are
// evaluated directly.
class Pianeti {
 public:
  Pianeti() = default;
  Pianeti(double t0, double t1);
  StatoPianeta Terra(double t) const;
  StatoPianeta Giove(double t) const;

 private:
  struct Nodo {
    StatoPianeta terra, giove;
  };
  static constexpr double kPasso = 1.0;  // days between nodes
  double t0_ = 0;
  std::vector<Nodo> nodi_;
  StatoPianeta Interpola(double t, StatoPianeta Nodo::*corpo,
                         StatoPianeta (*diretto)(double)) const;
};

}  // namespace mr
