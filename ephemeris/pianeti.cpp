#include "ephemeris/pianeti.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "ephemeris/vsop87_tabella.h"

namespace mr {

const double kLuceUAGiorno = ERFA_CMPS * ERFA_DAYSEC / ERFA_DAU;
const double kRaggioEquatorialeGiove = 71492e3 / ERFA_DAU;
const double kRaggioPolareGiove = 66854e3 / ERFA_DAU;

namespace {

StatoPianeta DaPv(const double pv[2][3]) {
  return {{pv[0][0], pv[0][1], pv[0][2]}, {pv[1][0], pv[1][1], pv[1][2]}};
}

constexpr double kGiorniMillennio = 365250;

// One coordinate of VSOP87: the sum over alpha of tau^alpha times the series
// of power alpha, and its derivative per millennium.
struct Serie {
  double valore = 0, derivata = 0;
};

Serie Somma(const std::span<const TermineVsop87> (&potenze)[6], double tau) {
  Serie s;
  double taua = 1, derivataTaua = 0;  // tau^alpha and its derivative
  for (int alfa = 0; alfa < 6; ++alfa) {
    double somma = 0, derivata = 0;
    for (const TermineVsop87& t : potenze[alfa]) {
      double x = t.B + t.C * tau;
      somma += t.A * std::cos(x);
      derivata -= t.A * t.C * std::sin(x);
    }
    s.valore += taua * somma;
    s.derivata += derivataTaua * somma + taua * derivata;
    derivataTaua = (alfa + 1) * taua;
    taua *= tau;
  }
  return s;
}

// Rectangular coordinates on the VSOP87 ecliptic of J2000 to the FK5
// equator of J2000 (the rotation published with VSOP87).
Vettore AllEquatore(Vettore e) {
  return {e.x + 0.000000440360 * e.y - 0.000000190919 * e.z,
          -0.000000479966 * e.x + 0.917482137087 * e.y - 0.397776982902 * e.z,
          0.397776982902 * e.y + 0.917482137087 * e.z};
}

}  // namespace

SfericheEclittiche GioveVsop87B(double t) {
  double tau = t / kGiorniMillennio;
  Serie l = Somma(kGioveVsop87B[0], tau);
  Serie b = Somma(kGioveVsop87B[1], tau);
  Serie r = Somma(kGioveVsop87B[2], tau);
  return {l.valore, b.valore, r.valore, l.derivata / kGiorniMillennio,
          b.derivata / kGiorniMillennio, r.derivata / kGiorniMillennio};
}

StatoPianeta TerraEliocentrica(double t) {
  double pvh[2][3], pvb[2][3];
  eraEpv00(ERFA_DJ00, t, pvh, pvb);  // status 1 (outside 1900-2100) only warns
  return DaPv(pvh);
}

StatoPianeta GioveEliocentrico(double t) {
  SfericheEclittiche s = GioveVsop87B(t);
  double cl = std::cos(s.l), sl = std::sin(s.l), cb = std::cos(s.b), sb = std::sin(s.b);
  // Unit vectors towards Jupiter, along increasing l and along increasing b.
  Vettore u{cb * cl, cb * sl, sb}, el{-sl, cl, 0}, eb{-sb * cl, -sb * sl, cb};
  Vettore v = s.dr * u + (s.r * cb * s.dl) * el + (s.r * s.db) * eb;
  return {AllEquatore(s.r * u), AllEquatore(v)};
}

Pianeti::Pianeti(double t0, double t1) : t0_(std::floor(t0)) {
  if (!(std::isfinite(t0) && std::isfinite(t1) && t1 >= t0)) return;
  int n = static_cast<int>(std::ceil((t1 - t0_) / kPasso)) + 1;
  nodi_.reserve(n);
  for (int k = 0; k < n; ++k) {
    double t = t0_ + k * kPasso;
    nodi_.push_back({TerraEliocentrica(t), GioveEliocentrico(t)});
  }
}

StatoPianeta Pianeti::Terra(double t) const {
  return Interpola(t, &Nodo::terra, TerraEliocentrica);
}

StatoPianeta Pianeti::Giove(double t) const {
  return Interpola(t, &Nodo::giove, GioveEliocentrico);
}

StatoPianeta Pianeti::Interpola(double t, StatoPianeta Nodo::*corpo,
                                StatoPianeta (*diretto)(double)) const {
  double u = (t - t0_) / kPasso;
  if (!(u >= 0 && u < static_cast<double>(nodi_.size()) - 1)) return diretto(t);
  std::size_t k = static_cast<std::size_t>(u);
  double s = u - static_cast<double>(k);
  const StatoPianeta& a = nodi_[k].*corpo;
  const StatoPianeta& b = nodi_[k + 1].*corpo;
  // Cubic Hermite basis and its derivative (per unit of s).
  double s2 = s * s, s3 = s2 * s;
  double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s;
  double h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
  double d00 = 6 * s2 - 6 * s, d10 = 3 * s2 - 4 * s + 1;
  double d01 = -6 * s2 + 6 * s, d11 = 3 * s2 - 2 * s;
  const double h = kPasso;
  return {h00 * a.r + (h10 * h) * a.v + h01 * b.r + (h11 * h) * b.v,
          (d00 / h) * a.r + d10 * a.v + (d01 / h) * b.r + d11 * b.v};
}

}  // namespace mr
