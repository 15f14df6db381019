// The Galilean satellites: the satellite panel with its eclipse announcements,
// and the satellites and their shadows drawn over the disk.
#include <cmath>
#include <string>

#include "ephemeris/numeri.h"
#include "ephemeris/satelliti.h"
#include "ephemeris/solepianeta.h"
#include "window/fenomeni.h"
#include "window/ingrandimento.h"
#include "window/macchiarossa.h"
#include "ephemeris/nomi_satelliti.h"

namespace mr {

namespace {

constexpr Colore Bianco = RGB(255, 255, 255);
constexpr Colore Nero = RGB(0, 0, 0);
constexpr Colore Grigio = RGB(150, 150, 150);
constexpr Colore ColoreFasce = RGB(200, 130, 0);

}  // namespace

void MacchiaRossa::ArrotondaDe() {
  De.Text = TestoSingolo(ArrotondaA(LeggiNumero(De.Text), 100));
}

IstanteUT MacchiaRossa::IstanteDelCalcolo() const {
  if (animazione_.inCorso) return {animazione_.jdInizio + animazione_.f * PassoGiorni, deltaT_};
  LetturaCampi c = LeggiCampi();
  Istante ist = IstanteGiuliano(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra);
  return {ist.J + ist.F, deltaT_};
}

PosizioniPrecise MacchiaRossa::Precise(IstanteUT t) {
  for (const PosizioniMemorizzate& m : memoria_)
    if (m.piena && m.t.jdUT == t.jdUT && m.t.deltaT == t.deltaT) return m.p;
  memoria_[1] = memoria_[0];
  memoria_[0] = {true, t, PosizioniAllIstante(t)};
  return memoria_[0].p;
}

// The panel works with the Earth's declination rounded to 0.01 degree, the
// disk with its full value.
PosizioniDisegno MacchiaRossa::PosizioniSatelliti(Scala scala) {
  const double S = scala == Scala::Pannello ? 5.0 : 126.0;
  if (AltaPrecisione) {
    const IstanteUT t = IstanteDelCalcolo();
    const PosizioniPrecise ora = Precise(t);
    De.Text = TestoNumero(ora.DE);
    if (scala == Scala::Pannello) ArrotondaDe();
    // Only an eclipse under way needs the step before: did it begin in this step?
    bool eclisse = false;
    for (const SatellitePreciso& s : ora.satelliti) eclisse = eclisse || s.eclissato;
    const PosizioniPrecise prima = eclisse ? Precise({t.jdUT - PassoGiorni, t.deltaT}) : ora;
    return PosizioniDallaPrecisa(ora, prima, S);
  }
  LetturaCampi c = LeggiCampi();
  SerieSatelliti serie =
      CalcolaSerieSatelliti(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra, S);
  De.Text = TestoNumero(serie.DE);
  if (scala == Scala::Pannello) ArrotondaDe();
  return PosizioniDalleSerie(serie, LeggiNumero(De.Text), S);
}

void MacchiaRossa::mSatelliti_Click() {
  if (!IstanteNelCampo()) return;
  CreaPannello();
  frmSatelliti.Visible = true;
  TelaRegistrata& tela = frmSatelliti.disegno;
  tela.Azzera();
  tela.Cls();

  LetturaCampi c = LeggiCampi();
  const std::string titolo = "Posizione dei satelliti per il giorno " + TestoNumero(c.giorno) +
                             "/" + TestoNumero(c.mese) + "/" + TestoNumero(c.anno) +
                             " alle ore " + TestoNumero(c.ore) + ":" + TestoNumero(c.minuti);
  frmSatelliti.Caption = titolo;
  tela.Scala(0, 0, 270, 57);

  const PosizioniDisegno p = PosizioniSatelliti(Scala::Pannello);

  tela.Riempimento(Bianco);
  tela.Cerchio(135, 30, 5, Nero, 1);
  tela.LarghezzaLinea(2);
  tela.Linea(130.5, 28.5, 139.5, 28.5, ColoreFasce);
  tela.Linea(130.5, 31.5, 139.5, 31.5, ColoreFasce);
  tela.LarghezzaLinea(1);
  tela.Linea(132, 26, 138.5, 26, ColoreFasce);
  tela.Linea(132, 34, 138.5, 34, ColoreFasce);

  for (int i = 0; i < 4; ++i) {
    const SatelliteDisegnato& s = p.satelliti[i];
    tela.Riempimento(s.dietroIlDisco ? Bianco : ColoriPannello[i]);
    tela.Cerchio(135 + s.X, 30 - s.Y, 1, Nero, 1);
  }

  for (int i = 0; i < 4; ++i) {
    const SatelliteDisegnato& s = p.satelliti[i];
    if (s.eclissato) {
      tela.Riempimento(Nero);
      tela.Cerchio(135 + s.X, 30 - s.Y, 1, Nero, 1);
    }
    if (s.annunciato) {
      EclisseTrovata = 1;
      frmSatelliti.Caption = titolo + "        - Eclisse di " + NomiSatelliti[i].nome + " -";
    }
  }

  frmSatelliti.ingrandimento.Azzera();
  if (const std::optional<Ingrandimento> i = DaIngrandire(p.coppie))
    DisegnaIngrandimento(frmSatelliti.ingrandimento, *i, frmSatelliti.BackColor);
}

PosizioniDisegno MacchiaRossa::Ombre() {
  const PosizioniDisegno p = PosizioniSatelliti(Scala::Disco);
  const auto& sat = p.satelliti;
  auto satellite = [&](int i) {
    Zorva.Cerchio(134 + sat[i].X, 129 - sat[i].Y, RaggioSatellite[i], Nero, 1);
  };
  // Satellites on the near half, in front of the disk or beside it.
  for (Meta meta : {Meta::VicinaDestra, Meta::VicinaSinistra}) {
    for (int i = 0; i < 4; ++i) {
      if (i < 2) Zorva.Riempimento(Bianco);
      if (i == 2) Zorva.Riempimento(Grigio);
      if (CasellaSatellite(i).Value == 1 && sat[i].meta == meta && sat[i].visibile) satellite(i);
    }
  }
  // Satellites on the far half, unless occulted by the disk or eclipsed in its shadow.
  Zorva.Riempimento(Bianco);
  for (int i = 0; i < 4; ++i) {
    if (i == 2) Zorva.Riempimento(Grigio);
    if (CasellaSatellite(i).Value == 1 && sat[i].meta == Meta::Lontana && sat[i].visibile)
      satellite(i);
  }

  Zorva.Riempimento(Nero);
  for (Meta meta : {Meta::VicinaDestra, Meta::VicinaSinistra})
    for (int i = 0; i < 4; ++i)
      if (CasellaSatellite(i).Value == 1 && sat[i].meta == meta && sat[i].ombraVisibile)
        Zorva.Cerchio(134 + sat[i].XS, 129 - sat[i].YS, RaggioOmbra[i], Nero, 1);

  ArrotondaDe();
  return p;
}

}  // namespace mr
