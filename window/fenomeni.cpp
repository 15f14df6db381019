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

}  // namespace mr
