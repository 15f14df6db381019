// Jupiter's distance from Newcomb's Sun and Jupiter's mean elements, the
// apparent diameter, and the daily equatorial position used for rising and
// setting. pi is 3.141592654 and 2 pi 6.283185308 here.
#pragma once
#include <string>

#include "ephemeris/numeri.h"

namespace mr {

// Julian Day of 0h of a date (ends in .5).
double GiornoGiulianoZero(double giorno, double mese, double anno);

struct OrbitaGiove {
  double S;      // Sun's true geocentric longitude, rad
  double R;      // Sun-Earth distance, AU
  double sinb;   // sine of Jupiter's heliocentric latitude
  double b;      // Jupiter's heliocentric latitude, rad
  double r;      // Sun-Jupiter distance, AU
  double l;      // Jupiter's heliocentric longitude, rad
  double Delta;  // Earth-Jupiter distance, AU
};
// Given T, Julian centuries from JD 2415020.0.
OrbitaGiove CalcolaOrbitaGiove(double T);

// Apparent equatorial diameter, arcseconds, at 0h of the date.
double DiametroApparente(double giorno, double mese, double anno);

// Angle helpers of the visibility routines, pi = 3.141592654 (their arcsine
// is ArcoSeno(s, 3.141592654)).
inline double Radianti(double gradi) { return gradi * 3.141592654 / 180; }
inline double Gradi(double radianti) { return radianti * 180 / 3.141592654; }
// Four-quadrant arctangent of y / x in [0, 2 pi). When y or x is exactly 0
// the two-argument arctangent brought into [0, 2 pi) stands in.
double ArcoTangenteQ(double y, double x);
// Greenwich mean sidereal angle, degrees in [0, 360), oreTU hours of
// Universal Time after 0h of the day whose T is given (oreTU not reduced).
double AngoloSidereo(double T, double oreTU);

// Text of DiametroA: the diameter to a tenth in the plain print form (" 42.7").
std::string TestoDiametro(double diametro);

}  // namespace mr
