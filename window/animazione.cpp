// The animation: the planet turns 5 degrees of System II per frame (0.005745343
// day), up to 5222 frames (30 days), and halts on a shadow near the central
// meridian, a transit of the GRS or an eclipse announced by the panel.
#include <cmath>

#include "ephemeris/calendario.h"
#include "ephemeris/meridiano.h"
#include "ephemeris/numeri.h"
#include "window/fenomeni.h"
#include "window/macchiarossa.h"

namespace mr {

namespace {
constexpr int UltimoFotogramma = 5222;
// The time in which System II turns 5 degrees (5 / 870.27 day).
constexpr double PassoGiorni = 0.005745343;
}  // namespace

Arresto ArrestoOmbra(int i) {
  constexpr Arresto ombre[4] = {Arresto::OmbraIo, Arresto::OmbraEuropa, Arresto::OmbraGanimede,
                                Arresto::OmbraCallisto};
  return ombre[i];
}

int SatelliteDellArresto(Arresto a) {
  for (int i = 0; i < 4; ++i)
    if (ArrestoOmbra(i) == a) return i;
  return -1;
}

bool MacchiaRossa::MeridianoA_Avvia() {
  if (animazione_.inCorso || !IstanteNelCampo()) return false;
  animazione_ = StatoAnimazione{};
  animazione_.inCorso = true;
  EclisseTrovata = 0;
  LeggiImpostazioni();
  for (int i = 0; i < 4; ++i) CasellaSatellite(i).ForeColor = RGB(200, 0, 0);
  Zorva.Azzera();
  Zorva.Scala(0, 0, 275, 255);
  animazione_.L = LeggiNumero(Longitudine.Text);
  DIAMETRO();

  LetturaCampi c = LeggiCampi();
  Istante& ist = animazione_.istante;
  ist = IstanteGiuliano(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra);
  double d = (ist.J - 2451545) + ist.F + deltaT_ / 86400;
  SolePianeta sp = PosizioniSolePianeta(d);
  double Tp = sp.T - 1;
  animazione_.omega = MeridianoCentrale(d, sp.Delta, Tp, Xi(Tp, sp.alfa, sp.delta));
  return true;
}

bool MacchiaRossa::MeridianoA_Fotogramma() {
  StatoAnimazione& an = animazione_;
  if (!an.inCorso) return false;
  if (EclisseTrovata == 1) return Termina(Arresto::EclisseTrovata);
  const Istante& ist = an.istante;
  if (!IstanteAmmesso(GiornoGiuliano(ist.D + PassoGiorni, ist.mese, ist.anno))) {
    ambiente_.Avviso(AvvisoFuoriIntervallo);
    return Termina(Arresto::FuoriIntervallo);
  }
  ++an.f;

  Zorva.Azzera();
  Zorva.Cls();
  if (frmSatelliti.esiste) {
    frmSatelliti.disegno.Azzera();
    frmSatelliti.disegno.Cls();
  }
  Transito(LongGradi, LongPrimi, LatGradi, LatPrimi);
  an.omega = an.omega + 5;
  an.istante.D = an.istante.D + PassoGiorni;
  if (an.omega > 360) an.omega = an.omega - 360;
  MostraMC(an.omega);
  PosizioneMacchia macchia = PosizioneDellaMacchia(an.omega, an.L);
  TEMPOM(an.f, ist.D, ist.mese, ist.anno, ist.oraUT, ist.minuti);
  PassoSatelliti(an.ColoreCielo);
  MarcatorePannello(macchia.a);
  if (Cielo.Value == 1 && Rivoluzione.Value == 1) DipingiCielo(an.ColoreCielo);
  if (Griglia.Value == 1) Zorva_Click();
  MarcatoreDisco(macchia.a, macchia.q, true);
  omegaSfondo = an.omega;
  LSfondo = an.L;
  sfondoValido = true;

  double XS[4], u[4], YS[4];
  Ombre(XS, u, YS);
  // A shadow on the disk near the central meridian: first the satellites
  // entering the near half, then those leaving it.
  for (auto metaVicina : {MetaVicinaEntrata, MetaVicinaUscita}) {
    for (int i = 0; i < 4; ++i) {
      if (CasellaSatellite(i).Value == 1 && metaVicina(u[i]) &&
          OmbraVicinoAlMeridiano(i, XS[i], YS[i])) {
        CasellaSatellite(i).ForeColor = RGB(0, 0, 250);
        return Termina(ArrestoOmbra(i));
      }
    }
  }
  if (Macchia.Value == 1 && MacchiaAlMeridiano(macchia.a))
    return Termina(Arresto::Macchia);
  an.ritardo = Intervallo();
  if (an.f >= UltimoFotogramma) return Termina(Arresto::Fine);
  return true;
}

bool MacchiaRossa::Termina(mr::Arresto motivo) {
  animazione_.inCorso = false;
  animazione_.arresto = motivo;
  return false;
}

void MacchiaRossa::MeridianoA_Ferma() {
  if (animazione_.inCorso) Termina(Arresto::Utente);
}

void MacchiaRossa::MeridianoA() {
  if (!MeridianoA_Avvia()) return;
  while (MeridianoA_Fotogramma()) {
  }
}

double MacchiaRossa::Intervallo() {
  if (Macchia.Value == 1) {
    Massimo.Text = TestoNumero(Velocita);
    return 1000000.0 / Velocita;
  }
  Massimo.Text = "100";
  return 10000;
}

}  // namespace mr
