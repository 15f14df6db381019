#include "ephemeris/meridiano.h"

#include <cmath>

#include "ephemeris/numeri.h"

namespace mr {

namespace {

constexpr double pi = 3.14159265;
constexpr double gradiPerRadiante = 180 / pi;
constexpr double radiantiPerGrado = pi / 180;

// Reduction to [0, 360) in the form this computation has always used.
double Riduci(double x) { return (x / 360 - std::floor(x / 360)) * 360; }

}  // namespace

double Xi(double Tp, double alfa, double delta) {
  // North pole of Jupiter (IAU), degrees.
  double alfa0 = 268.05 + 0.107 * Tp;
  double delta0 = 64.49 - 0.015 * Tp;
  alfa0 = Riduci(alfa0) * radiantiPerGrado;
  delta0 = Riduci(delta0) * radiantiPerGrado;

  double N2 = std::cos(delta) * std::sin(alfa0 - alfa);
  double N1 = std::sin(delta0) * std::cos(delta) * std::cos(alfa0 - alfa) -
              std::cos(delta0) * std::sin(delta);
  // With N2 exactly 0 the limit from the positive side.
  if (N2 == 0) return N1 < 0 ? -90 : 90;
  double xi = gradiPerRadiante * std::atan(N1 / N2);
  if (N2 < 0) xi = xi + 180;
  return xi;
}

double MeridianoCentrale(double d, double Delta, double Tp, double xi) {
  // System II rotation, with the light time 0.0057755 day per AU.
  double W = 43.3 + 870.27 * (d - 0.0057755 * Delta) + 1.291 * Tp;
  double omega = W - xi;
  omega = Riduci(omega);
  return std::floor(100 * omega + 0.5) / 100;
}

MeridianoIstante MeridianoDellIstante(const Istante& ist, double deltaT) {
  double d = (ist.J - 2451545) + ist.F + deltaT / 86400;
  SolePianeta sp = PosizioniSolePianeta(d);
  double Tp = sp.T - 1;
  double xi = Xi(Tp, sp.alfa, sp.delta);
  return {d, sp.Delta, Tp, xi, MeridianoCentrale(d, sp.Delta, Tp, xi)};
}

std::string TestoMC(double omega) { return TestoSingolo(ArrotondaA(omega, 10)); }

PosizioneMacchia PosizioneDellaMacchia(double omega, double L) {
  L = Riduci360(L);
  double a = 180 - ((omega - L) + 90);
  // On a limb exactly the marker's aspect would be infinite.
  if (a == 0) a = 0.000001;
  if (a < 0) a = a + 360;
  if (a == 0) a = 0.000001;
  double sinA = std::fabs(std::sin(a * 3.141592654 / 180));
  if (sinA == 0) sinA = std::fabs(std::sin(0.000001 * 3.141592654 / 180));
  double q = 0.53 / sinA;
  if (a > 360) a = a - 360;
  return {a, q};
}

}  // namespace mr
