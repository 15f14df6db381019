// An instant of the precise ephemeris: Universal Time and Delta T.
#pragma once

namespace mr {

struct IstanteUT {
  double jdUT;    // Julian day, Universal Time (taken as UT1)
  double deltaT;  // TT - UT, seconds
};

// Days of Terrestrial Time from J2000.0 (JD 2451545.0 TT).
inline double GiorniTT(IstanteUT t) { return (t.jdUT - 2451545.0) + t.deltaT / 86400; }

// The Julian day (UT) of t, days of TT from J2000.0, with Delta T in seconds.
inline double JdUT(double t, double deltaT) { return t + 2451545.0 - deltaT / 86400; }

}  // namespace mr
