#include "ephemeris/pianeti.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace mr {

const double kLuceUAGiorno = ERFA_CMPS * ERFA_DAYSEC / ERFA_DAU;
const double kRaggioEquatorialeGiove = 71492e3 / ERFA_DAU;
const double kRaggioPolareGiove = 66854e3 / ERFA_DAU;

namespace {

StatoPianeta DaPv(const double pv[2][3]) {
  return {{pv[0][0], pv[0][1], pv[0][2]}, {pv[1][0], pv[1][1], pv[1][2]}};
}

}  // namespace

StatoPianeta TerraEliocentrica(double t) {
  double pvh[2][3], pvb[2][3];
  eraEpv00(ERFA_DJ00, t, pvh, pvb);  // status 1 (outside 1900-2100) only warns
  return DaPv(pvh);
}

StatoPianeta GioveEliocentrico(double t) {
  double pv[2][3];
  eraPlan94(ERFA_DJ00, t, 5, pv);  // status 1 (outside 1000-3000) only warns
  return DaPv(pv);
}

Pianeti::Pianeti(double t0, double t1) : t0_(std::floor(t0)) {
  if (!(std::isfinite(t0) && std::isfinite(t1) && t1 >= t0)) return;
  int n = static_cast<int>(std::ceil((t1 - t0_) / kPasso)) + 1;
  nodi_.reserve(n);
  for (int k = 0; k < n; ++k) {
    double t = t0_ + k * kPasso;
    // Jupiter's velocity from its positions: the theory's own velocity leaves
    // out the perturbations' rates (0.06% off), too coarse to interpolate with.
    StatoPianeta giove = GioveEliocentrico(t);
    const double d = 0.5;
    giove.v = (1 / (2 * d)) * (GioveEliocentrico(t + d).r - GioveEliocentrico(t - d).r);
    nodi_.push_back({TerraEliocentrica(t), giove});
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
