#include "ephemeris/orbita.h"

#include <cmath>

#include "ephemeris/calendario.h"
#include "ephemeris/numeri.h"

namespace mr {

namespace {


// Adds half turns to a principal arctangent until it lies within a quarter
// turn of the angle it must follow. Bounded, so absurd inputs cannot hang.
double SeguiQuadrante(double angolo, double riferimento) {
  for (int passi = 0; passi < 8 && std::fabs(angolo - riferimento) >= 3.141592654 / 2; ++passi)
    angolo = angolo + 3.141592654;
  return angolo;
}

struct Anomalie {
  double E, v;  // eccentric and true anomaly, rad
};

// Kepler's equation by its closed first approximation, no iteration.
Anomalie RisolviKepler(double M, double e) {
  double E = std::atan(std::sin(M) / (std::cos(M) - e));
  E = SeguiQuadrante(E, M);
  double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
  v = SeguiQuadrante(v, E);
  return {E, v};
}

}  // namespace


double ArcoTangenteQ(double y, double x) {
  if (y > 0 && x > 0) return std::atan(y / x);
  if (y > 0 && x < 0) return std::atan(y / x) + 3.141592654;
  if (y < 0 && x > 0) return std::atan(y / x) + 6.283185308;
  if (y < 0 && x < 0) return std::atan(y / x) + 3.141592654;
  double a = std::atan2(y, x);
  return a < 0 ? a + 6.283185308 : a;
}

double AngoloSidereo(double T, double oreTU) {
  // 1.002737908 sidereal hours per hour of Universal Time.
  double theta = 6.6460656 + 2400.051262 * T + 0.00002581 * T * T + oreTU * 1.002737908;
  theta = theta - 24 * std::floor(theta / 24);
  return 15 * theta;
}

double GiornoGiulianoZero(double giorno, double mese, double anno) {
  return GiornoGiuliano(giorno, mese, anno);
}

OrbitaGiove CalcolaOrbitaGiove(double T) {
  // The Sun, from Newcomb's elements.
  double e = 0.01675104 - 0.0000418 * T - 0.000000126 * T * T;
  double L = Riduci360(279.69668 + 36000.76892 * T + 0.0003025 * T * T);
  double M = Riduci360(358.47583 + 35999.04975 * T - 0.00015 * T * T - 0.0000033 * T * T * T);
  Anomalie sole = RisolviKepler(Radianti(M), e);
  double S = Radianti(L) + sole.v - Radianti(M);
  double R = 1.0000002 * (1 - e * std::cos(sole.E));

  // Jupiter's mean elements of date.
  double Lj = Riduci360(238.049257 + 3036.301986 * T + 0.0003347 * T * T -
                        0.00000165 * T * T * T);
  double Mj = Riduci360(225.32833 + 3034.69202 * T - 0.000722 * T * T);
  double i = 1.308736 - 0.0056961 * T + 0.0000039 * T * T;
  double ej = 0.04833475 + 0.00016418 * T - 0.0000004676 * T * T - 0.0000000017 * T * T * T;
  double Omega = 99.443414 + 1.01053 * T + 0.00035222 * T * T - 0.00000851 * T * T * T;
  Anomalie giove = RisolviKepler(Radianti(Mj), ej);

  // Heliocentric place of Jupiter.
  double u = Radianti(Lj) + giove.v - Radianti(Mj) - Radianti(Omega);
  if (u < 0) u = u + 6.283185308;
  double sinb = std::sin(u) * std::sin(Radianti(i));
  double b = ArcoSeno(sinb, 3.141592654);
  double r = 5.202561 * (1 - ej * std::cos(giove.E));
  double l = SeguiQuadrante(std::atan(std::cos(Radianti(i)) * std::tan(u)), u) + Radianti(Omega);
  // The Earth's heliocentric longitude is S + pi, hence the plus sign.
  double Delta = std::sqrt(R * R + r * r + 2 * r * R * std::cos(b) * std::cos(l - S));
  return {S, R, sinb, b, r, l, Delta};
}

double DiametroApparente(double giorno, double mese, double anno) {
  double JD = GiornoGiulianoZero(giorno, mese, anno);
  double T = (JD - 2415020) / 36525;
  // 196.94 arcseconds: the equatorial diameter seen from 1 AU.
  return 196.94 / CalcolaOrbitaGiove(T).Delta;
}

std::string TestoDiametro(double diametro) { return TestoStampa(ArrotondaA(diametro, 10)); }

}  // namespace mr
