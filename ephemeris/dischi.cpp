#include "ephemeris/dischi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace mr {

namespace {

constexpr double kPi = std::numbers::pi;

// Nodes and weights of the n-point Gauss-Legendre rule on [-1, 1]: the roots of
// the Legendre polynomial P_n by Newton's method from Tricomi's estimates.
struct RegolaGauss {
  static constexpr int n = 24;
  std::array<double, n> x, w;
  RegolaGauss() {
    for (int i = 0; i < n; ++i) {
      double z = std::cos(kPi * (i + 0.75) / (n + 0.5)), derivata = 1;
      for (int iterazione = 0; iterazione < 100; ++iterazione) {
        double p0 = 1, p1 = z;  // P_0, P_1, then P_{k-1}, P_k by the recurrence
        for (int k = 2; k <= n; ++k) {
          double p2 = ((2 * k - 1) * z * p1 - (k - 1) * p0) / k;
          p0 = p1;
          p1 = p2;
        }
        derivata = n * (z * p1 - p0) / (z * z - 1);
        double passo = p1 / derivata;
        z -= passo;
        if (std::fabs(passo) < 1e-15) break;
      }
      x[i] = z;
      w[i] = 2 / ((1 - z * z) * derivata * derivata);
    }
  }
};

// The integral of f over [a, b] with r = a + (b - a)(1 - cos u)/2: square-root
// behaviour at either end becomes smooth in u.
template <class F>
double Integra(F&& f, double a, double b) {
  static const RegolaGauss g;
  double somma = 0;
  for (int i = 0; i < RegolaGauss::n; ++i) {
    double u = kPi / 2 * (1 + g.x[i]);
    double r = a + (b - a) * (1 - std::cos(u)) / 2;
    somma += g.w[i] * f(r) * std::sin(u);
  }
  return somma * (kPi / 2) * (b - a) / 2;
}

// The angle (radians) opposite the side c of a triangle of sides a, b, c, by
// the half-angle formula: well conditioned also for needle-like triangles.
double Angolo(double a, double b, double c) {
  double p = (c - a + b) * (c + a - b), q = (a + b - c) * (a + b + c);
  return 2 * std::atan2(std::sqrt(std::max(p, 0.0)), std::sqrt(std::max(q, 0.0)));
}

// The length of the circle of radius r about the origin that lies inside a
// disk of radius R whose centre is d from the origin.
double ArcoDentro(double r, double R, double d) {
  if (r + d <= R) return 2 * kPi * r;
  if (r >= d + R || r <= d - R) return 0;
  return 2 * r * Angolo(r, d, R);
}

}  // namespace

double AreaComune(double r1, double r2, double d) {
  if (d >= r1 + r2) return 0;
  double rMin = std::min(r1, r2);
  if (d <= std::fabs(r1 - r2)) return kPi * rMin * rMin;
  // Two circular sectors less the kite of the centres and the chord's ends.
  double k = (-d + r1 + r2) * (d + r1 - r2) * (d - r1 + r2) * (d + r1 + r2);
  return r1 * r1 * Angolo(r1, d, r2) + r2 * r2 * Angolo(r2, d, r1) -
         std::sqrt(std::max(k, 0.0)) / 2;
}

GenereMutuo GenereOccultazione(double rA, double rB, double d) {
  if (d + rB <= rA) return GenereMutuo::Totale;
  if (d + rA <= rB) return GenereMutuo::Anulare;
  return GenereMutuo::Parziale;
}

double CaloOccultazione(double rA, double rB, double d, double mA, double mB) {
  double lA = std::pow(10.0, -0.4 * mA), lB = std::pow(10.0, -0.4 * mB);
  double coperta = AreaComune(rA, rB, d) / (kPi * rB * rB);
  if (coperta <= 0) return 0;
  return -2.5 * std::log10(1 - coperta * lB / (lA + lB));
}

GenereMutuo GenereEclisse(const OmbraMutua& o, double rB, double d) {
  double nucleo = o.rAttivo - o.rSole;  // umbra's radius; < 0: the antumbra's
  if (d + rB <= nucleo) return GenereMutuo::Totale;
  if (d + std::fabs(nucleo) <= rB) return GenereMutuo::Anulare;
  return GenereMutuo::Parziale;
}

double LuceInOmbra(const OmbraMutua& o, double rB, double d) {
  if (d + rB <= o.rAttivo - o.rSole) return 0;
  double a = std::max(0.0, d - rB), b = std::min(d + rB, o.rAttivo + o.rSole);
  if (b <= a) return 1;
  // The fraction of the Sun hidden by A, seen at distance r from the axis.
  auto nascosto = [&](double r) {
    if (o.rSole <= 0) return r < o.rAttivo ? 1.0 : 0.0;
    return AreaComune(o.rSole, o.rAttivo, r) / (kPi * o.rSole * o.rSole);
  };
  auto f = [&](double r) { return nascosto(r) * ArcoDentro(r, rB, d); };
  std::vector<double> nodi{a, b};
  for (double k : {std::fabs(o.rAttivo - o.rSole), rB - d}) {
    if (k > a && k < b) nodi.push_back(k);
  }
  std::sort(nodi.begin(), nodi.end());
  double perso = 0;
  for (std::size_t i = 0; i + 1 < nodi.size(); ++i) perso += Integra(f, nodi[i], nodi[i + 1]);
  return std::clamp(1 - perso / (kPi * rB * rB), 0.0, 1.0);
}

double CaloEclisse(const OmbraMutua& o, double rB, double d) {
  double luce = LuceInOmbra(o, rB, d);
  if (luce >= 1) return 0;
  if (luce <= std::pow(10.0, -0.4 * CaloMassimoEclisse)) return CaloMassimoEclisse;
  return -2.5 * std::log10(luce);
}

}  // namespace mr
