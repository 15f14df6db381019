#include "ephemeris/l12.h"

#include <cmath>
#include <numbers>

#include "ephemeris/l12_tabella.h"

namespace mr {

namespace {

// The osculating equinoctial elements at one instant.
struct Elementi {
  double a;       // semi-major axis, AU
  double lambda;  // mean longitude, rad
  double k, h;    // e cos(varpi), e sin(varpi)
  double q, p;    // sin(i/2) cos(Omega), sin(i/2) sin(Omega)
};

Elementi ElementiL12(const SatelliteL12& s, double tau) {
  Elementi e{0, s.lambda0 + s.moto * tau, 0, 0, 0, 0};
  for (const TermineL12& c : s.a) e.a += c.ampiezza * std::cos(c.fase + c.frequenza * tau);
  for (const TermineL12& c : s.l) e.lambda += c.ampiezza * std::sin(c.fase + c.frequenza * tau);
  for (const TermineL12& c : s.z) {
    double x = c.fase + c.frequenza * tau;
    e.k += c.ampiezza * std::cos(x);
    e.h += c.ampiezza * std::sin(x);
  }
  for (const TermineL12& c : s.zeta) {
    double x = c.fase + c.frequenza * tau;
    e.q += c.ampiezza * std::cos(x);
    e.p += c.ampiezza * std::sin(x);
  }
  e.lambda = std::remainder(e.lambda, 2 * std::numbers::pi);
  return e;
}

// Equinoctial elements to position and velocity on the theory's axes.
StatoSatellite DaElementi(const Elementi& e, double mu) {
  // Eccentric longitude F from Kepler's equation lambda = F - k sin F + h cos F.
  double F = e.lambda + e.k * std::sin(e.lambda) - e.h * std::cos(e.lambda);
  for (int i = 0; i < 20; ++i) {
    double dF = (e.lambda - F + e.k * std::sin(F) - e.h * std::cos(F)) /
                (1 - e.k * std::cos(F) - e.h * std::sin(F));
    F += dF;
    if (std::fabs(dF) < 1e-14) break;
  }
  double cF = std::cos(F), sF = std::sin(F);
  double beta = 1 / (1 + std::sqrt(1 - e.k * e.k - e.h * e.h));
  double n = std::sqrt(mu / (e.a * e.a * e.a));
  double rSuA = 1 - e.k * cF - e.h * sF;
  // Coordinates in the orbit's plane, x towards the origin of longitudes.
  double X = e.a * ((1 - beta * e.h * e.h) * cF + beta * e.h * e.k * sF - e.k);
  double Y = e.a * ((1 - beta * e.k * e.k) * sF + beta * e.h * e.k * cF - e.h);
  double vs = n * e.a / rSuA;
  double VX = vs * (beta * e.h * e.k * cF - (1 - beta * e.h * e.h) * sF);
  double VY = vs * ((1 - beta * e.k * e.k) * cF - beta * e.h * e.k * sF);
  // The orbit plane's axes f, g from the inclination vector (q, p).
  double c = std::sqrt(1 - e.q * e.q - e.p * e.p);
  Vettore f{1 - 2 * e.p * e.p, 2 * e.p * e.q, -2 * e.p * c};
  Vettore g{2 * e.p * e.q, 1 - 2 * e.q * e.q, 2 * e.q * c};
  return {X * f + Y * g, VX * f + VY * g};
}

Vettore SuEquatoreJ2000(Vettore v) {
  const auto& A = kAssiL12;
  return {v.x * A[0][0] + v.y * A[1][0] + v.z * A[2][0],
          v.x * A[0][1] + v.y * A[1][1] + v.z * A[2][1],
          v.x * A[0][2] + v.y * A[1][2] + v.z * A[2][2]};
}

}  // namespace

StatoSatellite StatoL12(int satellite, double t) {
  if (satellite < 0 || satellite > 3) return {};
  const SatelliteL12& s = kSatellitiL12[satellite];
  double tau = t + (2451545.0 - 2433282.5);
  StatoSatellite orbita = DaElementi(ElementiL12(s, tau), s.mu);
  return {SuEquatoreJ2000(orbita.r), SuEquatoreJ2000(orbita.v)};
}

}  // namespace mr
