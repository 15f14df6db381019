#include "ephemeris/satelliti.h"

#include <cmath>

#include "ephemeris/calendario.h"
#include "ephemeris/numeri.h"

namespace mr {

namespace {

double Sin(double gradi) { return std::sin(gradi * 3.141592654 / 180); }
double Cos(double gradi) { return std::cos(gradi * 3.141592654 / 180); }

// Arcsine in degrees; +-1 (or beyond) gives +-90.
double ArcoSenoGradi(double s) {
  if (std::fabs(s) >= 1) return std::copysign(90.0, s);
  return ArcoSeno(s, 3.141592654) * 180 / 3.141592654;
}

bool IndiceValido(int i) { return i >= 0 && i < 4; }

}  // namespace

SerieSatelliti CalcolaSerieSatelliti(double giorno, double mese, double anno, double ore,
                                     double minuti, float Z, double S) {
  SerieSatelliti s{};

  double H_UT = ore - 1 - static_cast<double>(Z);
  double d = GiornoGiuliano(giorno, mese, anno, H_UT, minuti) - 2415020;

  // Mean elements of the Earth and Jupiter, with the great inequality V.
  double V = Riduci360(134.63 + 0.00111587 * d);
  double M = Riduci360(358.476 + 0.9856003 * d);
  double N = Riduci360(225.328 + 0.0830853 * d + 0.33 * Sin(V));
  double J = Riduci360(221.647 + 0.9025179 * d - 0.33 * Sin(V));

  double A = 1.916 * Sin(M) + 0.02 * Sin(2 * M);
  double B = 5.552 * Sin(N) + 0.167 * Sin(2 * N);
  double K = J + A - B;
  double R = 1.00014 - 0.01672 * Cos(M) - 0.00014 * Cos(2 * M);
  double r = 5.20867 - 0.25192 * Cos(N) - 0.0061 * Cos(2 * N);

  double Delta = std::sqrt(R * R + r * r - 2 * r * R * Cos(K));
  double psi = ArcoSenoGradi(R * Sin(K) / Delta);

  // Jovicentric declinations of the Sun and of the Earth.
  double lambda = Riduci360(238.05 + 0.083091 * d + 0.33 * Sin(V) + B);
  double DS = 3.07 * Sin(lambda + 44.5);
  double DE = DS - 2.15 * Sin(psi) * Cos(lambda + 24) -
              1.31 * (r / Delta - 1) * Sin(lambda - 99.4);

  // Satellite arguments at the time the light left Jupiter.
  double t = d - Delta / 173;
  double u1 = Riduci360(84.5506 + 203.405863 * t + psi - B);
  double u2 = Riduci360(41.5015 + 101.2916323 * t + psi - B);
  double u3 = Riduci360(109.977 + 50.2345169 * t + psi - B);
  double u4 = Riduci360(176.3586 + 21.4879802 * t + psi - B);
  double G = Riduci360(187.3 + 50.310674 * t);
  double H = Riduci360(311.1 + 21.569229 * t);

  s.r[0] = (5.9061 - 0.0244 * Cos(2 * (u1 - u2))) * S;
  s.r[1] = (9.3972 - 0.0889 * Cos(2 * (u2 - u3))) * S;
  s.r[2] = (14.9894 - 0.0227 * Cos(G)) * S;
  s.r[3] = (26.3649 - 0.1944 * Cos(H)) * S;

  // Mutual perturbations, each from the values before correction.
  double c1 = 0.472 * Sin(2 * (u1 - u2));
  double c2 = 1.073 * Sin(2 * (u2 - u3));
  double c3 = 0.174 * Sin(G);
  double c4 = 0.845 * Sin(H);
  s.u[0] = Riduci360(u1 + c1);
  s.u[1] = Riduci360(u2 + c2);
  s.u[2] = Riduci360(u3 + c3);
  s.u[3] = Riduci360(u4 + c4);

  s.d = d;
  s.Delta = Delta;
  s.psi = psi;
  s.B = B;
  s.DE = DE;
  return s;
}

Scostamento ScostamentoSatellite(const SerieSatelliti& s, int i, double DE) {
  if (!IndiceValido(i)) return {0, 0};
  return {s.r[i] * Sin(s.u[i]), -s.r[i] * Cos(s.u[i]) * Sin(DE)};
}

Scostamento ScostamentoOmbra(const SerieSatelliti& s, int i, double DE) {
  if (!IndiceValido(i)) return {0, 0};
  return {s.r[i] * Sin(s.u[i] - s.psi), -s.r[i] * Cos(s.u[i]) * Sin(DE)};
}

}  // namespace mr
