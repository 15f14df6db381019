#include "window/posizioni.h"

#include "window/fenomeni.h"

namespace mr {

namespace {

Meta MetaDellAngolo(double u) {
  if (MetaVicinaEntrata(u)) return Meta::VicinaDestra;
  if (MetaVicinaUscita(u)) return Meta::VicinaSinistra;
  return Meta::Lontana;
}

}  // namespace

PosizioniDisegno PosizioniDalleSerie(const SerieSatelliti& serie, double DE, double S) {
  PosizioniDisegno p{DE, {}, {}};
  for (int i = 0; i < 4; ++i) {
    SatelliteDisegnato& s = p.satelliti[i];
    const double u = serie.u[i];
    const Scostamento satellite = ScostamentoSatellite(serie, i, DE);
    const Scostamento ombra = ScostamentoOmbra(serie, i, DE);
    s.X = satellite.X;
    s.Y = satellite.Y;
    s.XS = ombra.X;
    s.YS = ombra.Y;
    s.meta = MetaDellAngolo(u);
    const double w = SemiampiezzaOmbra(s.Y, serie.r[i], S);
    s.dietroIlDisco = 90 < u && u < 270 && s.X * s.X + s.Y * s.Y < S * S;
    s.visibile = s.meta != Meta::Lontana ||
                 VisibileSullaMetaLontana(u, serie.psi, w, s.X, s.Y, S);
    s.eclissato = EclissatoNelPannello(u, serie.psi, w, s.X, s.Y, S);
    s.annunciato = EclisseAnnunciata(i, u, serie.psi, s.X, s.Y, S);
    s.ombraVisibile = s.meta != Meta::Lontana;
  }
  return p;
}

PosizioniDisegno PosizioniDallaPrecisa(const PosizioniPrecise& ora, const PosizioniPrecise& prima,
                                       double S) {
  PosizioniDisegno p{ora.DE, {}, {ora.coppie.begin(), ora.coppie.end()}};
  for (int i = 0; i < 4; ++i) {
    const SatellitePreciso& q = ora.satelliti[i];
    SatelliteDisegnato& s = p.satelliti[i];
    s.X = q.posizione.X * S;
    s.Y = q.posizione.Y * S;
    s.XS = q.ombra.X * S;
    s.YS = q.ombra.Y * S;
    s.meta = !q.davanti ? Meta::Lontana : s.X >= 0 ? Meta::VicinaDestra : Meta::VicinaSinistra;
    s.dietroIlDisco = q.occultato;
    s.visibile = !q.occultato && !q.eclissato;
    s.eclissato = q.eclissato && !q.occultato;
    s.annunciato = s.eclissato && !prima.satelliti[i].eclissato;
    // A shadow on the disk implies a satellite on the near half: its direction
    // is within the phase angle plus asin(1 / r), under 25 degrees, of the Earth's.
    s.ombraVisibile = q.ombraSulDisco;
  }
  return p;
}

}  // namespace mr
