#include "window/fenomeni.h"

#include <cmath>

namespace mr {

double SemiampiezzaOmbra(double Y, double r, double raggioDisco) {
  if (!(std::fabs(Y) < raggioDisco)) return 0;
  return std::sqrt(raggioDisco * raggioDisco - Y * Y) * 57.3 / r;
}

bool VisibileSullaMetaLontana(double u, double psi, double w, double X, double Y,
                              double raggioDisco) {
  bool fuoriDallOmbra = (90 <= u && u < 180 + psi - w) || (180 + psi + w < u && u <= 270);
  bool fuoriDalDisco = X * X + Y * Y > raggioDisco * raggioDisco;
  return fuoriDallOmbra && fuoriDalDisco;
}

bool EclissatoNelPannello(double u, double psi, double semiampiezza, double X, double Y,
                          double raggioDisco) {
  return std::fabs(Y) < raggioDisco && X * X + Y * Y > raggioDisco * raggioDisco &&
         180 + psi - semiampiezza < u && u < 180 + psi + semiampiezza;
}

bool EclisseAnnunciata(int i, double u, double psi, double X, double Y, double raggioDisco) {
  constexpr double semiampiezza[4] = {2, 0.3, 0.15, 0.07};
  return EclissatoNelPannello(u, psi, semiampiezza[i], X, Y, raggioDisco);
}

bool MacchiaSulPannello(double a) {
  return a < 180 && std::fabs(5 * std::cos(a * 3.141592654 / 180)) < 4.5;
}

bool MacchiaSulDisco(double a) {
  return a <= 180 && std::fabs(121 * std::cos(a * 3.141592654 / 180)) <= 111;
}

bool MacchiaAlMeridiano(double a) { return 87.5 <= a && a <= 92.5; }

bool MacchiaPassata(double omegaPrima, double LPrima, double omega, double L) {
  const double prima = std::remainder(omegaPrima - LPrima, 360.0);
  const double ora = std::remainder(omega - L, 360.0);
  return prima < 0 && ora >= 0 && ora - prima < 180;
}

bool OmbraVicinoAlMeridiano(int i, double XS, double YS) {
  const double lim = i == 0 ? 8.5 : 7.5;
  return -lim < XS && XS < lim && -127 <= YS && YS <= 127;
}

}  // namespace mr
