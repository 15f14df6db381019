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
  LetturaCampi c = LeggiCampi();
  Istante& ist = animazione_.istante;
  ist = IstanteGiuliano(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra);
  animazione_.jdInizio = ist.J + ist.F;
  MostraMacchia(animazione_.jdInizio);
  animazione_.L = LeggiNumero(Longitudine.Text);
  DIAMETRO();
  animazione_.omega = AltaPrecisione ? Precise(IstanteDelCalcolo()).MC
                                     : MeridianoDellIstante(ist, deltaT_).omega;
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
  const double omegaPrima = an.omega, LPrima = an.L;
  an.istante.D = an.istante.D + PassoGiorni;
  // The short series turn the meridian by 5 degrees a frame; the precise
  // ephemeris computes it at every frame, so a long run does not drift.
  if (AltaPrecisione) {
    an.omega = Precise(IstanteDelCalcolo()).MC;
  } else {
    an.omega = an.omega + 5;
    if (an.omega > 360) an.omega = an.omega - 360;
  }
  // A drifting Red Spot moves on with the frames.
  if (MostraMacchia(an.jdInizio + an.f * PassoGiorni)) an.L = LeggiNumero(Longitudine.Text);
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
  sfondoPreciso = AltaPrecisione;

  const PosizioniDisegno p = Ombre();
  // A shadow on the disk near the central meridian: first the satellites on
  // the right of the near half, then those on its left.
  for (Meta meta : {Meta::VicinaDestra, Meta::VicinaSinistra}) {
    for (int i = 0; i < 4; ++i) {
      const SatelliteDisegnato& s = p.satelliti[i];
      if (CasellaSatellite(i).Value == 1 && s.meta == meta && s.ombraVisibile &&
          OmbraVicinoAlMeridiano(i, s.XS, s.YS)) {
        CasellaSatellite(i).ForeColor = RGB(0, 0, 250);
        return Termina(ArrestoOmbra(i));
      }
    }
  }
  // The precise meridian turns by 5 degrees a frame give or take 0.002.
  if (Macchia.Value == 1 &&
      (MacchiaAlMeridiano(macchia.a) ||
       (AltaPrecisione && MacchiaPassata(omegaPrima, LPrima, an.omega, an.L))))
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
