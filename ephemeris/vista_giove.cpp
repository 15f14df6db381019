#include "ephemeris/vista_giove.h"

#include <cmath>

#include "ephemeris/l12.h"

namespace mr {

namespace {

const double kSchiacciamento = kRaggioEquatorialeGiove / kRaggioPolareGiove;

// A vector in the space where the ellipsoid is the unit sphere.
Vettore Dilata(const VistaGiove& v, Vettore q) {
  Vettore s = q + ((kSchiacciamento - 1) * Scalare(q, v.o.polo)) * v.o.polo;
  return (1 / kRaggioEquatorialeGiove) * s;
}

}  // namespace

Vettore LuceSolare(const VistaGiove& v, Vettore eliocentrico) {
  return Versore(Versore(eliocentrico) - (1 / kLuceUAGiorno) * v.vGiove);
}

VistaGiove Vista(const Pianeti& pianeti, double t) {
  VistaGiove v{};
  v.t = t;
  Vettore terra = pianeti.Terra(t).r;
  StatoPianeta giove = pianeti.Giove(t);
  for (int i = 0; i < 3; ++i) {
    v.tau = Modulo(giove.r - terra) / kLuceUAGiorno;
    giove = pianeti.Giove(t - v.tau);
  }
  v.giove = giove.r;
  v.vGiove = giove.v;
  v.terra = terra - giove.r;
  v.luce = LuceSolare(v, giove.r);
  v.o = OrientamentoDiGiove(t - v.tau);
  v.z = Versore(-v.terra);
  v.y = Versore(v.o.polo - Scalare(v.o.polo, v.z) * v.z);
  v.x = Vettoriale(v.z, v.y);
  return v;
}

Retta RettaPerGiove(const VistaGiove& v, Vettore punto, Vettore direzione) {
  Vettore p = Dilata(v, punto), u = Dilata(v, direzione);
  double uu = Scalare(u, u);
  return {Modulo(Vettoriale(p, u)) / std::sqrt(uu), -Scalare(p, u) / uu};
}

SatelliteVisto SatelliteDallaTerra(const VistaGiove& v, int satellite) {
  double tJ = v.t - v.tau;
  StatoSatellite s = StatoL12(satellite, tJ);
  // A satellite nearer the Earth than the centre is seen as it was later.
  double anticipo = Scalare(s.r, Versore(v.terra)) / kLuceUAGiorno;
  Vettore proprio = s.r + anticipo * s.v;  // relative to Jupiter at the same time
  SatelliteVisto r;
  r.r = proprio + anticipo * v.vGiove;
  r.terra = RettaPerGiove(v, r.r, r.r - v.terra);
  r.sole = RettaPerGiove(v, proprio, LuceSolare(v, v.giove + proprio));
  return r;
}

namespace {

// Where sunlight through the satellite at r first meets the ellipsoid.
OmbraVista Ombra(const VistaGiove& v, Vettore r) {
  OmbraVista o{};
  Vettore u = LuceSolare(v, v.giove + r);
  o.raggio = RettaPerGiove(v, r, u);
  double lambda = o.raggio.parametro;
  if (o.raggio.distanza < 1) {
    double corda = std::sqrt(1 - o.raggio.distanza * o.raggio.distanza);
    lambda -= corda / Modulo(Dilata(v, u));
  }
  o.punto = r + lambda * u;
  if (o.raggio.distanza < 1) {
    double k = kSchiacciamento * kSchiacciamento - 1;
    Vettore normale = o.punto + (k * Scalare(o.punto, v.o.polo)) * v.o.polo;
    o.visibilita = Scalare(Versore(normale), Versore(v.terra - o.punto));
  }
  return o;
}

}  // namespace

OmbraVista OmbraDallaTerra(const VistaGiove& v, int satellite) {
  StatoSatellite s = StatoL12(satellite, v.t - v.tau);
  OmbraVista prima = Ombra(v, s.r);
  // The shadow's centre is seen as it was when its light left it; the sunlight
  // had passed the satellite a distance |punto - r| earlier.
  double ritardo = (Scalare(prima.punto, Versore(v.terra)) - Modulo(prima.punto - s.r)) /
                   kLuceUAGiorno;
  return Ombra(v, s.r + ritardo * s.v);
}

Scostamento ScostamentoApparente(const VistaGiove& v, Vettore q) {
  Vettore d = q - v.terra;
  double scala = Modulo(v.terra) / kRaggioEquatorialeGiove / Scalare(d, v.z);
  return {scala * Scalare(d, v.x), scala * Scalare(d, v.y)};
}

bool InTransito(const SatelliteVisto& s) { return s.terra.distanza < 1 && s.terra.parametro > 0; }
bool Occultato(const SatelliteVisto& s) { return s.terra.distanza < 1 && s.terra.parametro < 0; }
bool Eclissato(const SatelliteVisto& s) { return s.sole.distanza < 1 && s.sole.parametro < 0; }
bool OmbraSulDisco(const OmbraVista& o) {
  return o.raggio.distanza < 1 && o.raggio.parametro > 0 && o.visibilita > 0;
}

}  // namespace mr
