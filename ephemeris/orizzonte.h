// Altitudes of Jupiter and of the Sun above an observer's horizon.
#pragma once
#include "ephemeris/istante_ut.h"
#include "ephemeris/pianeti.h"
#include "ephemeris/vettore.h"

namespace mr {

// An observer on the WGS84 ellipsoid: longitude (degrees, east positive),
// latitude (degrees, north positive), height (metres).
struct Sito {
  double longitudine = 0, latitudine = 0, quota = 0;
  bool operator==(const Sito&) const = default;
};

// Topocentric altitudes of the centres, degrees, without refraction.
struct Altezze {
  double giove, sole;
};

// Apparent places (annual aberration, IAU 2006/2000B precession-nutation,
// Earth rotation angle; UT taken as UT1, no polar motion) seen from a site.
// The celestial-to-intermediate matrix is kept for a day at a time: it moves
// by less than 0.1" in a day. Not for use from two threads at once.
class Orizzonte {
 public:
  explicit Orizzonte(const Sito& sito);

  // Given the geocentric astrometric positions (AU, ICRS axes) of Jupiter and
  // of the Sun, the Earth's heliocentric state, t (TT days from J2000.0) and the
  // same instant as a UT Julian day.
  Altezze Calcola(Vettore giove, Vettore sole, const StatoPianeta& terra, double t,
                  double jdUT) const;

 private:
  Vettore posizione_;  // the site, terrestrial axes, AU
  Vettore zenit_;      // unit vector of the ellipsoid's normal
  mutable double giornoMatrice_;
  mutable double c2i_[3][3];
  double Altezza(Vettore p, const StatoPianeta& terra, double era) const;
};

// The altitudes of Jupiter (light time included) and of the Sun at the
// orizzonte's site at an instant, the Earth and Jupiter taken from pianeti.
Altezze AltezzeAllIstante(const Orizzonte& orizzonte, const Pianeti& pianeti,
                          IstanteUT istante);

}  // namespace mr
