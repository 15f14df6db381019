// Jupiter and its satellites as seen from the Earth's centre at one instant:
// light time, central projection, the ellipsoid, the sunlight and the shadows.
#pragma once
#include "ephemeris/orientamento_giove.h"
#include "ephemeris/pianeti.h"
#include "ephemeris/satelliti.h"
#include "ephemeris/vettore.h"

namespace mr {

// Vectors in AU on ICRS axes, relative to Jupiter's centre at the time the
// light reaching the Earth left it.
struct VistaGiove {
  double t;             // TT days from J2000.0 at the Earth
  double tau;           // Earth-Jupiter light time, days
  Vettore terra;        // the Earth
  Vettore giove;        // Jupiter's heliocentric position at t - tau
  Vettore vGiove;       // Jupiter's heliocentric velocity, AU/day
  Vettore luce;         // unit direction in which sunlight travels at Jupiter, in
                        // Jupiter's frame (aberration of sunlight included)
  OrientamentoGiove o;  // at t - tau
  Vettore x, y, z;      // sky axes: z from the Earth to Jupiter, y towards the
                        // projected north pole, x along the equator to the west
};

// Given the Earth's and Jupiter's states and t, TT days from J2000.0.
VistaGiove Vista(const Pianeti& pianeti, double t);

// The unit direction in which sunlight travels at a heliocentric point (AU), in
// Jupiter's frame (aberration from Jupiter's motion).
Vettore LuceSolare(const VistaGiove& v, Vettore eliocentrico);

// A line near Jupiter: the distance of its nearest point from the centre, in
// the space where the ellipsoid becomes a sphere of radius 1 (so < 1: the line
// meets the ellipsoid, 1: tangent), and that point's parameter lambda
// (point + lambda * direction). The direction must not be zero.
struct Retta {
  double distanza;
  double parametro;
};
Retta RettaPerGiove(const VistaGiove& v, Vettore punto, Vettore direzione);

// Satellite 0..3 at the time its light reaching the Earth left it (another
// index stands for a body at Jupiter's centre).
struct SatelliteVisto {
  Vettore r;     // position; includes Jupiter's motion between the two light times
  Retta terra;   // line from the Earth through the satellite: parametro > 0 in
                 // front of the planet, < 0 behind it
  Retta sole;    // sunlight through the satellite: parametro < 0 beyond the
                 // planet (eclipse side), > 0 on the Sun's side
};
SatelliteVisto SatelliteDallaTerra(const VistaGiove& v, int satellite);

// The shadow of satellite 0..3 as seen from the Earth: the satellite is taken
// when it intercepted the sunlight that reached the shadow's centre as the Earth
// sees it.
struct OmbraVista {
  Vettore punto;      // shadow centre on the ellipsoid; when the sunlight misses
                      // the planet, the ray's point nearest the centre
  Retta raggio;       // the sunlight through the satellite
  double visibilita;  // cosine of the angle between the surface normal at the
                      // centre and the direction of the Earth (> 0: on the
                      // visible side); 0 when the ray misses the planet
};
OmbraVista OmbraDallaTerra(const VistaGiove& v, int satellite);

// Apparent offsets of a point q (relative to Jupiter's centre) in equatorial
// radii at Jupiter's distance, central projection: X along the equator, west
// (right, with north up) positive; Y across it, north (up) positive.
Scostamento ScostamentoApparente(const VistaGiove& v, Vettore q);

// The states of one satellite.
bool InTransito(const SatelliteVisto& s);
bool Occultato(const SatelliteVisto& s);
bool Eclissato(const SatelliteVisto& s);
bool OmbraSulDisco(const OmbraVista& o);

}  // namespace mr
