// Heliocentric states of the Earth and of Jupiter from ERFA (eraEpv00 and
// eraPlan94), directly or interpolated over a window for speed.
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

// Given t, days of TT (taken as TDB) from J2000.0 (JD 2451545.0). The theories
// are meant for 1000-3000 (Jupiter) and are best in 1900-2100 (Earth); outside
// they still return finite values of lower accuracy. Jupiter's velocity is the
// theory's own, which leaves out the perturbations' rates (0.06%). Jupiter's
// place is good to about 20" (up to 29" from the Earth in 2026-2040, against
// VSOP87): enough to move Callisto's contacts by up to half a minute.
StatoPianeta TerraEliocentrica(double t);
StatoPianeta GioveEliocentrico(double t);

// Earth and Jupiter over a window of TT days [t0, t1]: cubic Hermite
// interpolation between daily ERFA states (error below 0.1 km; Jupiter's node
// velocities from its positions). Outside the window, or when built with no
// window, the theories are evaluated directly.
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
