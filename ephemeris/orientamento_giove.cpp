#include "ephemeris/orientamento_giove.h"

#include <cmath>
#include <numbers>

namespace mr {

namespace {

constexpr double kGradi = std::numbers::pi / 180;

double Gradi360(double x) {
  double r = std::fmod(x, 360.0);
  return r < 0 ? r + 360 : r;
}

}  // namespace

OrientamentoGiove OrientamentoDiGiove(double t) {
  double T = t / 36525;  // Julian centuries
  // Nutation-precession angles of the periodic terms, degrees.
  double Ja = (99.360714 + 4850.4046 * T) * kGradi;
  double Jb = (175.895369 + 1191.9605 * T) * kGradi;
  double Jc = (300.323162 + 262.5475 * T) * kGradi;
  double Jd = (114.012305 + 6070.2476 * T) * kGradi;
  double Je = (49.511251 + 64.3000 * T) * kGradi;
  double alfa0 = 268.056595 - 0.006499 * T + 0.000117 * std::sin(Ja) + 0.000938 * std::sin(Jb) +
                 0.001432 * std::sin(Jc) + 0.000030 * std::sin(Jd) + 0.002150 * std::sin(Je);
  double delta0 = 64.495303 + 0.002413 * T + 0.000050 * std::cos(Ja) + 0.000404 * std::cos(Jb) +
                  0.000617 * std::cos(Jc) - 0.000013 * std::cos(Jd) + 0.000926 * std::cos(Je);
  double a = alfa0 * kGradi, d = delta0 * kGradi;
  OrientamentoGiove o;
  o.polo = {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
  o.nodo = {-std::sin(a), std::cos(a), 0};
  o.quadratura = Vettoriale(o.polo, o.nodo);
  o.W = Gradi360(43.3 + 870.270 * t);
  return o;
}

double LongitudineSistemaII(const OrientamentoGiove& o, Vettore d) {
  double est = std::atan2(Scalare(d, o.quadratura), Scalare(d, o.nodo)) / kGradi;
  return Gradi360(o.W - est);
}

double LatitudinePlanetocentrica(const OrientamentoGiove& o, Vettore d) {
  return std::asin(Scalare(Versore(d), o.polo)) / kGradi;
}

}  // namespace mr
