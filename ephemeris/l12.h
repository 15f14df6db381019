// Jovicentric positions of the Galilean satellites from the L1.2 theory
// (Lainey, Duriez, Vienne; IMCCE), as its coefficient table gives them.
#pragma once
#include "ephemeris/vettore.h"

namespace mr {

// Position (AU) and velocity (AU/day) relative to Jupiter's centre, axes of
// the J2000 mean equator and equinox (ICRS to 0.02"), geometric.
struct StatoSatellite {
  Vettore r, v;
};

// Given satellite 0..3 (Io, Europa, Ganymede, Callisto) and t, days of TT from
// J2000.0. The velocity is that of the osculating orbit. Another index gives a
// zero state.
StatoSatellite StatoL12(int satellite, double t);

}  // namespace mr
