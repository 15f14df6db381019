#include "ephemeris/solepianeta.h"

#include <cmath>

#include "ephemeris/numeri.h"

namespace mr {

namespace {

constexpr double pi = 3.14159265;

// Int of the formulas: the floor.
double Int(double x) { return std::floor(x); }

double Segno(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

// A mean argument in revolutions as radians in [0, 2 pi).
double RadiantiDaGiri(double giri) { return (giri - Int(giri)) * 2 * pi; }

// atan(num / den); a zero denominator gives the limit, +-pi/2 by the sign of num.
double ArcoTangente(double num, double den) {
  if (den == 0) return Segno(num) * pi / 2;
  return std::atan(num / den);
}


}  // namespace

Istante IstanteGiuliano(double giorno, double mese, double anno, double ore, double minuti,
                        float scartoOra) {
  double Y = anno, M = mese, G0 = giorno;
  double h = ore - 1 - static_cast<double>(scartoOra);
  double mi = minuti;
  double D = G0 + h / 24 + mi / 1440;
  // Before 1582 the date is read in the Julian calendar.
  double g = Y < 1582 ? 0 : 1;
  double I = Int(D);
  double F = D - I - 0.5;
  double J = -Int(7 * (Int((M + 9) / 12) + Y) / 4);
  double C = 0;
  if (g == 1) {
    double s = Segno(M - 9);
    double Yp = Int(Y + s * Int(std::fabs(M - 9) / 7));
    C = -Int((Int(Yp / 100) + 1) * 3 / 4);
  }
  J = J + Int(275 * M / 9) + I + g * C;
  J = J + 1721027 + 2 * g + 367 * Y;
  if (F < 0) {
    F = F + 1;
    J = J - 1;
  }
  return {D, M, Y, h, mi, J, F};
}

SolePianeta PosizioniSolePianeta(double d) {
  SolePianeta p{};
  double T = d / 36525 + 1;
  p.T = T;

  double Ls = RadiantiDaGiri(0.779072 + 0.00273790931 * d);
  double Gs = RadiantiDaGiri(0.993126 + 0.0027377785 * d);
  double L5 = RadiantiDaGiri(0.089608 + 0.00023080893 * d);
  double G5 = RadiantiDaGiri(0.056531 + 0.00023080893 * d);
  double G6 = RadiantiDaGiri(0.882987 + 0.00009294371 * d);

  // Sun: equation of centre in arcseconds.
  double S = 6910 * std::sin(Gs) + 72 * std::sin(2 * Gs) - 17 * T * std::sin(Gs) -
             7 * std::cos(Gs - G5);
  double lambdaS = Ls + S / 206265;
  double R = 1.00014 - 0.01675 * std::cos(Gs) - 0.00014 * std::cos(2 * Gs);

  // Jupiter: longitude and latitude terms in arcseconds, with the great inequality.
  double P = 19934 * std::sin(G5) + 5023 * T + 2511 + 1093 * std::cos(2 * G5 - 5 * G6) +
             601 * std::sin(2 * G5) - 479 * std::sin(2 * G5 - 5 * G6) -
             185 * std::sin(2 * G5 - 2 * G6) + 137 * std::sin(3 * G5 - 5 * G6) -
             131 * std::sin(G5 - 2 * G6);
  double Q = -4692 * std::cos(G5) + 259 * std::sin(G5) + 227 - 227 * std::cos(2 * G5) +
             30 * T * std::sin(G5);
  double r = 5.20883 - 0.25122 * std::cos(G5) - 0.00604 * std::cos(2 * G5) +
             0.0026 * std::cos(2 * G5 - 2 * G6) - 0.0017 * std::cos(3 * G5 - 5 * G6) -
             0.00106 * std::sin(2 * G5 - 2 * G6) - 0.00091 * T * std::sin(G5) -
             0.00084 * T * std::cos(G5);
  double l = L5 + P / 206265;
  double b = Q / 206265;

  // Geocentric, in the ecliptic frame turned to the Sun's longitude.
  double y = r * std::cos(b) * std::sin(l - lambdaS);
  double x = r * std::cos(b) * std::cos(l - lambdaS) + R;
  double A = ArcoTangente(y, x);
  if (x < 0) A = A + pi;
  double lambda = A + lambdaS;
  double z = r * std::sin(b);
  double Delta = std::sqrt(x * x + y * y + z * z);
  double beta = ArcoSeno(z / Delta, pi);

  double epsilon = (84428 - 47 * T) / 206265;
  double cosLambda = std::cos(lambda);
  double alfa = ArcoTangente(
      std::sin(lambda) * std::cos(epsilon) - std::tan(beta) * std::sin(epsilon), cosLambda);
  if (cosLambda < 0) alfa = alfa + pi;
  double delta = ArcoSeno(std::sin(beta) * std::cos(epsilon) +
                              std::cos(beta) * std::sin(epsilon) * std::sin(lambda),
                          pi);

  p.lambdaS = lambdaS;
  p.R = R;
  p.l = l;
  p.b = b;
  p.r = r;
  p.lambda = lambda;
  p.beta = beta;
  p.Delta = Delta;
  p.epsilon = epsilon;
  p.alfa = alfa;
  p.delta = delta;
  return p;
}

}  // namespace mr
