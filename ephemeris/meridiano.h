// System II central meridian of Jupiter and the place of the Great Red Spot.
#pragma once
#include <string>

#include "ephemeris/solepianeta.h"

namespace mr {

// Auxiliary angle xi of the rotation formula, degrees (-90 .. 270), from the
// pole of Jupiter at T' (centuries from J2000) and Jupiter's alfa, delta (rad).
// On the pole's hour circle (denominator exactly 0) the limit: +90, or -90 when
// the numerator is negative.
double Xi(double Tp, double alfa, double delta);

// System II longitude of the central meridian, degrees, rounded to 0.01
// (a value from 359.995 up becomes 360). d: TT days from J2000; Delta: AU.
double MeridianoCentrale(double d, double Delta, double Tp, double xi);

// The whole chain from an instant of the fields to the central meridian:
// d = (J - 2451545) + F + deltaT / 86400 (TT days from J2000; deltaT in
// seconds), the Sun and Jupiter, the pole and xi, then omega.
struct MeridianoIstante {
  double d;
  double Delta;  // Earth-Jupiter distance, AU
  double Tp;     // Julian centuries from J2000
  double xi;     // degrees
  double omega;  // System II central meridian, degrees, to 0.01
};
MeridianoIstante MeridianoDellIstante(const Istante& ist, double deltaT);

// Text of the MC field: omega to a tenth ("173.1", "57").
std::string TestoMC(double omega);

// Position angle a of the GRS on the disk (degrees; 90 on the central meridian,
// 0 < a < 180 on the visible side) and the aspect q = 0.53 / |sin a| of its marker.
struct PosizioneMacchia {
  double a;
  double q;
};
// omega: central meridian, L: GRS longitude, both System II degrees; L is first
// reduced to [0, 360). On the limb a = 0 becomes 1e-06, so q stays finite.
PosizioneMacchia PosizioneDellaMacchia(double omega, double L);

}  // namespace mr
