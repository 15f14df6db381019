// Low-precision geocentric positions of the Sun and Jupiter, for the central
// meridian of System II. Angles in radians (pi = 3.14159265 throughout).
#pragma once

namespace mr {

// The observation instant as read from the fields.
struct Istante {
  double D;       // day of month plus the UT time of day as a fraction, days
  double mese, anno;
  double oraUT;   // Ore - 1 - ScartoOra, not normalised
  double minuti;
  double J, F;    // Julian Day = J + F, J whole, 0 <= F < 1
};

// Given the lenient values of Giorno, Mese, Anno, Ore, Minuti and the zone
// offset (hours, -1/0/+1), returns the instant with its Julian Day. Years below
// 1582 take the Julian calendar.
Istante IstanteGiuliano(double giorno, double mese, double anno, double ore, double minuti,
                        float scartoOra);

struct SolePianeta {
  double T;            // Julian centuries from JD 2415020.0: d / 36525 + 1
  double lambdaS, R;   // Sun: geocentric longitude (not reduced), distance AU
  double l, b, r;      // Jupiter heliocentric longitude, latitude, radius vector AU
  double lambda, beta; // Jupiter geocentric ecliptic longitude and latitude
  double Delta;        // Jupiter geocentric distance, AU
  double epsilon;      // obliquity of the ecliptic
  double alfa, delta;  // Jupiter right ascension (-pi/2 .. 3pi/2) and declination
};

// Given d, days from JD 2451545.0 in Terrestrial Time. Where the denominator of
// an arctangent is exactly 0 the angle is its limit, +-pi/2 by the numerator's sign.
SolePianeta PosizioniSolePianeta(double d);

}  // namespace mr
