// Jupiter's orientation: the IAU pole (WGCCRE 2015, with its periodic terms)
// and the prime meridian of System II.
#pragma once
#include "ephemeris/vettore.h"

namespace mr {

// Unit vectors on ICRS axes and the prime meridian's angle.
struct OrientamentoGiove {
  Vettore polo;        // north pole
  Vettore nodo;        // ascending node of Jupiter's equator on the ICRS equator
  Vettore quadratura;  // polo x nodo: on the equator, 90 degrees east of the node
  double W;            // System II prime meridian, degrees east of the node, [0, 360)
};

// Given t, days of TT from J2000.0 at Jupiter (the time the light left it).
OrientamentoGiove OrientamentoDiGiove(double t);

// System II west longitude (degrees, [0, 360)) of the point of Jupiter's
// surface below the direction d (from the centre; any length but zero).
double LongitudineSistemaII(const OrientamentoGiove& o, Vettore d);

// Planetocentric latitude of the direction d (not zero), degrees, north positive.
double LatitudinePlanetocentrica(const OrientamentoGiove& o, Vettore d);

}  // namespace mr
