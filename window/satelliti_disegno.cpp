// The Galilean satellites: the satellite panel with its eclipse announcements,
// and the satellites and their shadows drawn over the disk.
#include <cmath>
#include <string>

#include "ephemeris/numeri.h"
#include "ephemeris/satelliti.h"
#include "window/fenomeni.h"
#include "window/macchiarossa.h"
#include "ephemeris/nomi_satelliti.h"

namespace mr {

namespace {

constexpr Colore Bianco = RGB(255, 255, 255);
constexpr Colore Nero = RGB(0, 0, 0);
constexpr Colore Grigio = RGB(150, 150, 150);
constexpr Colore ColoreFasce = RGB(200, 130, 0);
constexpr Colore ColorePannello[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 200, 255),
                                      RGB(255, 0, 255)};

// The satellite series with the offsets for the Earth's declination DE as read
// back from the De field.
struct PosizioniCalcolate {
  SerieSatelliti serie;
  double DE;
  double X[4], Y[4];
};

PosizioniCalcolate Offsets(const SerieSatelliti& serie, double DE) {
  PosizioniCalcolate p{serie, DE, {}, {}};
  for (int i = 0; i < 4; ++i) {
    Scostamento s = ScostamentoSatellite(serie, i, DE);
    p.X[i] = s.X;
    p.Y[i] = s.Y;
  }
  return p;
}

}  // namespace

void MacchiaRossa::ArrotondaDe() {
  De.Text = TestoSingolo(ArrotondaA(LeggiNumero(De.Text), 100));
}

// The panel works with the Earth's declination rounded to 0.01 degree, the
// disk with its full value.
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

  SerieSatelliti serie =
      CalcolaSerieSatelliti(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra, 5.0);
  De.Text = TestoNumero(serie.DE);
  ArrotondaDe();
  PosizioniCalcolate p = Offsets(serie, LeggiNumero(De.Text));

  double w[4];
  for (int i = 0; i < 4; ++i) w[i] = SemiampiezzaOmbra(p.Y[i], serie.r[i], 5);

  tela.Riempimento(Bianco);
  tela.Cerchio(135, 30, 5, Nero, 1);
  tela.LarghezzaLinea(2);
  tela.Linea(130.5, 28.5, 139.5, 28.5, ColoreFasce);
  tela.Linea(130.5, 31.5, 139.5, 31.5, ColoreFasce);
  tela.LarghezzaLinea(1);
  tela.Linea(132, 26, 138.5, 26, ColoreFasce);
  tela.Linea(132, 34, 138.5, 34, ColoreFasce);

  for (int i = 0; i < 4; ++i) {
    double u = serie.u[i];
    bool dietroIlDisco = 90 < u && u < 270 && p.X[i] * p.X[i] + p.Y[i] * p.Y[i] < 25;
    tela.Riempimento(dietroIlDisco ? Bianco : ColorePannello[i]);
    tela.Cerchio(135 + p.X[i], 30 - p.Y[i], 1, Nero, 1);
  }

  for (int i = 0; i < 4; ++i) {
    double u = serie.u[i];
    if (EclissatoNelPannello(u, serie.psi, w[i], p.X[i], p.Y[i], 5)) {
      tela.Riempimento(Nero);
      tela.Cerchio(135 + p.X[i], 30 - p.Y[i], 1, Nero, 1);
    }
    if (EclisseAnnunciata(i, u, serie.psi, p.X[i], p.Y[i])) {
      EclisseTrovata = 1;
      frmSatelliti.Caption = titolo + "        - Eclisse di " + NomiSatelliti[i].nome + " -";
    }
  }
}

void MacchiaRossa::Ombre(double XS[4], double u[4], double YS[4]) {
  LetturaCampi c = LeggiCampi();
  SerieSatelliti serie =
      CalcolaSerieSatelliti(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra, 126.0);
  De.Text = TestoNumero(serie.DE);
  PosizioniCalcolate p = Offsets(serie, LeggiNumero(De.Text));
  for (int i = 0; i < 4; ++i) u[i] = serie.u[i];


  auto satellite = [&](int i) {
    Zorva.Cerchio(134 + p.X[i], 129 - p.Y[i], RaggioSatellite[i], Nero, 1);
  };
  // Satellites on the near half, in front of the disk or beside it.
  for (auto metaVicina : {MetaVicinaEntrata, MetaVicinaUscita}) {
    for (int i = 0; i < 4; ++i) {
      if (i < 2) Zorva.Riempimento(Bianco);
      if (i == 2) Zorva.Riempimento(Grigio);
      if (CasellaSatellite(i).Value == 1 && metaVicina(u[i])) satellite(i);
    }
  }
  // Satellites on the far half, unless occulted by the disk or eclipsed in its shadow.
  Zorva.Riempimento(Bianco);
  for (int i = 0; i < 4; ++i) {
    if (i == 2) Zorva.Riempimento(Grigio);
    double w = SemiampiezzaOmbra(p.Y[i], serie.r[i], 126);
    if (CasellaSatellite(i).Value == 1 &&
        VisibileSullaMetaLontana(u[i], serie.psi, w, p.X[i], p.Y[i], 126))
      satellite(i);
  }

  double DE = LeggiNumero(De.Text);
  for (int i = 0; i < 4; ++i) {
    Scostamento ombra = ScostamentoOmbra(serie, i, DE);
    XS[i] = ombra.X;
    YS[i] = ombra.Y;
  }
  Zorva.Riempimento(Nero);
  for (auto metaVicina : {MetaVicinaEntrata, MetaVicinaUscita})
    for (int i = 0; i < 4; ++i)
      if (CasellaSatellite(i).Value == 1 && metaVicina(u[i]))
        Zorva.Cerchio(134 + XS[i], 129 - YS[i], RaggioOmbra[i], Nero, 1);

  ArrotondaDe();
}

}  // namespace mr
