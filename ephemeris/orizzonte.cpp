#include "ephemeris/orizzonte.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <numbers>

#include "ephemeris/vista_giove.h"

namespace mr {

namespace {

constexpr double kGradi = std::numbers::pi / 180;

}  // namespace

Orizzonte::Orizzonte(const Sito& sito) : giornoMatrice_(NAN) {
  double l = sito.longitudine * kGradi, f = sito.latitudine * kGradi;
  double xyz[3];
  if (eraGd2gc(ERFA_WGS84, l, f, sito.quota, xyz) != 0) xyz[0] = xyz[1] = xyz[2] = 0;
  posizione_ = (1 / ERFA_DAU) * Vettore{xyz[0], xyz[1], xyz[2]};
  zenit_ = {std::cos(f) * std::cos(l), std::cos(f) * std::sin(l), std::sin(f)};
}

Altezze Orizzonte::Calcola(Vettore giove, Vettore sole, const StatoPianeta& terra, double t,
                           double jdUT) const {
  double giorno = std::floor(t);
  if (giorno != giornoMatrice_) {
    eraC2i00b(ERFA_DJ00, giorno, c2i_);
    giornoMatrice_ = giorno;
  }
  double era = eraEra00(jdUT, 0);
  return {Altezza(giove, terra, era), Altezza(sole, terra, era)};
}

double Orizzonte::Altezza(Vettore p, const StatoPianeta& terra, double era) const {
  // Annual aberration.
  double distanza = Modulo(p);
  Vettore u = Versore(p);
  double pn[3] = {u.x, u.y, u.z};
  Vettore b = (1 / kLuceUAGiorno) * terra.v;
  double v[3] = {b.x, b.y, b.z};
  double ppr[3];
  eraAb(pn, v, Modulo(terra.r), std::sqrt(1 - Scalare(b, b)), ppr);
  // Celestial intermediate, then terrestrial axes.
  double q[3];
  for (int i = 0; i < 3; ++i) {
    q[i] = distanza * (c2i_[i][0] * ppr[0] + c2i_[i][1] * ppr[1] + c2i_[i][2] * ppr[2]);
  }
  Vettore terrestre{std::cos(era) * q[0] + std::sin(era) * q[1],
                    -std::sin(era) * q[0] + std::cos(era) * q[1], q[2]};
  Vettore topocentrico = terrestre - posizione_;
  return std::asin(Scalare(Versore(topocentrico), zenit_)) / kGradi;
}

Altezze AltezzeAllIstante(const Orizzonte& orizzonte, const Pianeti& pianeti,
                          IstanteUT istante) {
  const double t = GiorniTT(istante);
  const VistaGiove v = Vista(pianeti, t);
  const StatoPianeta terra = pianeti.Terra(t);
  return orizzonte.Calcola(-v.terra, -terra.r, terra, t, istante.jdUT);
}

}  // namespace mr
