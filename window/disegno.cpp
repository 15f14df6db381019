// The main computation and what it draws on Zorva: the sky around the disk,
// the latitude grid and the markers of the Great Red Spot.
#include <cmath>

#include "ephemeris/crepuscoli.h"
#include "ephemeris/meridiano.h"
#include "ephemeris/numeri.h"
#include "window/cielo.h"
#include "window/fenomeni.h"
#include "window/macchiarossa.h"

namespace mr {

namespace {

constexpr Colore MagentaChiaro = RGB(255, 0, 255);
constexpr Colore CianoChiaro = RGB(0, 255, 255);
constexpr Colore Nero = RGB(0, 0, 0);
constexpr Colore ColoreMacchia = RGB(230, 175, 125);

// A parallel of the oblate disk at latitude phi (degrees; 3.14 for pi, as the
// picture was always framed with it): its offset y from the centre line
// (positive downward) and its half-width w.
struct Parallelo {
  double y, w;
};
Parallelo ParalleloDelDisco(double phi) {
  double r = 117.81 + (126 - 117.81) * std::cos(phi * 3.14 / 180);
  double y = r * std::sin(phi * 3.14 / 180);
  double w = std::sqrt(r * r - y * y);
  return {y, w};
}

}  // namespace

void MacchiaRossa::Meridiano() {
  if (!IstanteNelCampo()) return;
  Colore coloreCielo = 0;
  PassoSatelliti(coloreCielo);

  LeggiImpostazioni();
  Zorva.Azzera();
  Zorva.Scala(0, 0, 275, 255);
  LetturaCampi c = LeggiCampi();
  Istante ist = IstanteGiuliano(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra);
  MostraMacchia(ist.J + ist.F);
  double L = LeggiNumero(Longitudine.Text);
  DIAMETRO();
  Transito(LongGradi, LongPrimi, LatGradi, LatPrimi);

  double omega = AltaPrecisione ? Precise(IstanteDelCalcolo()).MC
                                : MeridianoDellIstante(ist, deltaT_).omega;

  Zorva.Cls();
  if (Cielo.Value == 1 && Rivoluzione.Value == 1) DipingiCielo(coloreCielo);
  if (Griglia.Value == 1) Zorva_Click();
  MostraMC(omega);
  PosizioneMacchia macchia = PosizioneDellaMacchia(omega, L);
  MarcatorePannello(macchia.a);
  MarcatoreDisco(macchia.a, macchia.q, false);
  Ombre();
  TEMPOM(0, ist.D, ist.mese, ist.anno, ist.oraUT, ist.minuti);

  sfondoValido = true;
  omegaSfondo = omega;
  LSfondo = L;
  sfondoPreciso = AltaPrecisione;
}

void MacchiaRossa::StatoCielo(Colore& coloreCielo) {
  const Banda* banda = BandaDelCielo(AltezzaSole);
  if (!banda) return;
  CreaPannello();
  Colore sfondo = ColoreFacciata;
  frmSatelliti.Visibilita.Caption = "";
  if (Cielo.Value == 1) {
    sfondo = banda->colore;
    frmSatelliti.Visibilita.Caption = banda->testo;
    coloreCielo = banda->colore;
  }
  frmSatelliti.BackColor = sfondo;
  frmSatelliti.Visibilita.BackColor = sfondo;
  frmSatelliti.Elevazione.BackColor = sfondo;
}

// The sky and the satellite panel, or the panel hidden.
void MacchiaRossa::PassoSatelliti(Colore& coloreCielo) {
  if (Rivoluzione.Value == 1) {
    CalcolaAltezzaSole(AltezzaSole, LongGradi, LongPrimi, LatGradi, LatPrimi, ScartoOra,
                       LeggiNumero(Giorno.Text), LeggiNumero(Mese.Text), LeggiNumero(Anno.Text),
                       LeggiNumero(Ore.Text), LeggiNumero(Minuti.Text));
    StatoCielo(coloreCielo);
    mSatelliti_Click();
  } else {
    frmSatelliti.Visible = false;
  }
}

// Covers the picture outside the disk outline with the colour of the sky: a
// band along the top, one along the bottom, and each parallel continued to the
// edges. The bands stand one unit in from the picture's edges so that they
// reach the lines beside the poles; on the edges they fell a fraction of a
// unit short and left a dash of the picture showing under the south pole.
void MacchiaRossa::DipingiCielo(Colore coloreCielo) {
  Zorva.LarghezzaLinea(16);
  Zorva.Linea(0, 1, 275, 1, coloreCielo);
  Zorva.LarghezzaLinea(11);
  Zorva.Linea(0, 254, 275, 254, coloreCielo);
  Zorva.LarghezzaLinea(2);
  for (int phi = -90; phi <= 90; ++phi) {
    Parallelo p = ParalleloDelDisco(phi);
    Zorva.Linea(0, 129 + p.y, 134 - p.w, 129 + p.y, coloreCielo);
    Zorva.Linea(134 + p.w, 129 + p.y, 275, 129 + p.y, coloreCielo);
  }
  Zorva.LarghezzaLinea(1);
}

// The latitude grid: central meridian, limb and parallels every 10 degrees.
void MacchiaRossa::Zorva_Click() {
  Zorva.Linea(134, 10, 134, 245, MagentaChiaro);
  Zorva.Arco(134, 129, 126, CianoChiaro, 0, 6.27, 0.935);
  for (int k = -7; k <= 7; ++k) {
    Parallelo p = ParalleloDelDisco(10 * k);
    Zorva.Linea(134 - p.w, 129 + p.y, 134 + p.w, 129 + p.y,
                k == 0 ? RGB(0, 0, 255) : RGB(0, 0, 125));
    Zorva.Punto(2 * k * k, 129 + p.y, Nero);
    Zorva.Stampa(TestoStampa(static_cast<float>(-10 * k)));
  }
}

void MacchiaRossa::MostraMC(double omega) { MC.Text = TestoMC(omega); }

// The small marker of the GRS on the satellite panel.
void MacchiaRossa::MarcatorePannello(double a) {
  if (Macchia.Value == 1 && Rivoluzione.Value == 1 && MacchiaSulPannello(a)) {
    double x = 5 * std::cos(a * 3.141592654 / 180);
    CreaPannello();
    frmSatelliti.disegno.Riempimento(ColoreMacchia);
    frmSatelliti.disegno.Cerchio(135 + x, 32, 0.8, ColoreMacchia, 1);
  }
}

// The oval of the GRS on the disk, narrowing towards the limbs (aspect q).
// riempiSempre: the animation sets the fill colour even when the oval is off.
void MacchiaRossa::MarcatoreDisco(double a, double q, bool riempiSempre) {
  if (MacchiaSulDisco(a)) {
    double x = 121 * std::cos(a * 3.141592654 / 180);
    if (riempiSempre || Macchia.Value == 1) Zorva.Riempimento(ColoreMacchia);
    if (Macchia.Value == 1)
      Zorva.Cerchio(133 + x, 162, 17.5 * std::sin(a * 3.141592654 / 180), RGB(210, 155, 105), q);
  }
}

}  // namespace mr
