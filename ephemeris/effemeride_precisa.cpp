#include "ephemeris/effemeride_precisa.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/calendario.h"
#include "ephemeris/vista_giove.h"

namespace mr {

namespace {

constexpr double kGradi = std::numbers::pi / 180;

// The central meridian of the lit part of the equator: halfway, on the sky,
// between the bright limb and the terminator.
double MeridianoIlluminato(double MC, double longitudineSole) {
  double d = std::remainder(longitudineSole - MC, 360.0);
  double spostamento = std::asin((1 - std::cos(d * kGradi)) / 2) / kGradi;
  return std::fmod(MC + std::copysign(spostamento, d) + 360, 360.0);
}

}  // namespace

PosizioniPrecise PosizioniAllIstante(IstanteUT istante) {
  PosizioniPrecise p{};
  if (!std::isfinite(istante.deltaT) || !IstanteAmmesso(istante.jdUT)) return p;
  VistaGiove v = Vista(Pianeti(), GiorniTT(istante));
  p.valide = true;
  p.MC = LongitudineSistemaII(v.o, v.terra);
  p.MCIlluminato = MeridianoIlluminato(p.MC, LongitudineSistemaII(v.o, -v.luce));
  p.DE = LatitudinePlanetocentrica(v.o, v.terra);
  p.DS = LatitudinePlanetocentrica(v.o, -v.luce);
  p.fase = std::acos(std::clamp(Scalare(Versore(v.terra), -v.luce), -1.0, 1.0)) / kGradi;
  p.Delta = Modulo(v.terra);
  for (int i = 0; i < 4; ++i) {
    SatelliteVisto s = SatelliteDallaTerra(v, i);
    OmbraVista o = OmbraDallaTerra(v, i);
    SatellitePreciso& q = p.satelliti[i];
    q.posizione = ScostamentoApparente(v, s.r);
    q.davanti = Scalare(s.r, v.terra) > 0;
    q.inTransito = InTransito(s);
    q.occultato = Occultato(s);
    q.eclissato = Eclissato(s);
    q.ombra = ScostamentoApparente(v, o.punto);
    q.ombraSulDisco = OmbraSulDisco(o);
  }
  p.coppie = CoppieAllIstante(v);
  return p;
}

}  // namespace mr
