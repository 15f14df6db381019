#include <algorithm>
#include <cmath>

#include "ephemeris/numeri.h"
#include "finestra_di_prova.h"
#include "window/cielo.h"
#include "window/fenomeni.h"

namespace mr {
namespace {

using Op = Operazione::Tipo;

std::vector<Operazione> DiTipo(const TelaRegistrata& t, Op tipo) {
  std::vector<Operazione> v;
  for (const Operazione& o : t.operazioni)
    if (o.tipo == tipo) v.push_back(o);
  return v;
}

std::vector<Operazione> CerchiDiColore(const TelaRegistrata& t, Colore c) {
  std::vector<Operazione> v;
  for (const Operazione& o : DiTipo(t, Op::Cerchio))
    if (o.colore == c) v.push_back(o);
  return v;
}

class Disegno : public FinestraDiProva {
 protected:
  // Computes for 15 March 2004 22:00 with the GRS placed at angle a on the disk.
  MacchiaRossa& ConMacchiaAdAngolo(double a) {
    MacchiaRossa& m = Apri();
    Imposta(m, "15", "3", "2004", "22", "0");
    m.Calcola_Click();
    double L = m.omegaSfondo + a - 90;
    Scrivi("Imp.txt", TestoNumero(L) + ",12,0,42,0,0\r\n");
    Imposta(m, "15", "3", "2004", "22", "0");
    m.Calcola_Click();
    return m;
  }
};

TEST_F(Disegno, GrsOnTheCentralMeridianDrawsBothMarkers) {
  MacchiaRossa& m = ConMacchiaAdAngolo(90);
  auto ovali = CerchiDiColore(m.Zorva, RGB(210, 155, 105));
  ASSERT_EQ(ovali.size(), 1u);
  EXPECT_NEAR(ovali[0].x1, 133, 1e-6);
  EXPECT_EQ(ovali[0].y1, 162);
  EXPECT_NEAR(ovali[0].r, 17.5, 1e-9);
  EXPECT_NEAR(ovali[0].aspetto, 0.53, 1e-9);  // vertical semi-axis 9.275
  auto pannello = CerchiDiColore(m.frmSatelliti.disegno, RGB(230, 175, 125));
  ASSERT_EQ(pannello.size(), 1u);
  EXPECT_NEAR(pannello[0].x1, 135, 1e-6);
  EXPECT_EQ(pannello[0].y1, 32);
  EXPECT_EQ(pannello[0].r, 0.8);
}

TEST_F(Disegno, GrsNearTheLimbDrawsNoMarker) {
  // At a = 20 the oval would stand 113.7 units from the axis, and 4.70 on the panel.
  MacchiaRossa& m = ConMacchiaAdAngolo(20);
  EXPECT_TRUE(CerchiDiColore(m.Zorva, RGB(210, 155, 105)).empty());
  EXPECT_TRUE(CerchiDiColore(m.frmSatelliti.disegno, RGB(230, 175, 125)).empty());
}

TEST_F(Disegno, MarkerNarrowsTowardsTheLimb) {
  MacchiaRossa& m = ConMacchiaAdAngolo(150);
  auto ovali = CerchiDiColore(m.Zorva, RGB(210, 155, 105));
  ASSERT_EQ(ovali.size(), 1u);
  double a = 150 * 3.141592654 / 180;
  EXPECT_NEAR(ovali[0].x1, 133 + 121 * std::cos(a), 1e-6);
  EXPECT_NEAR(ovali[0].r, 17.5 * std::sin(a), 1e-6);
  EXPECT_NEAR(ovali[0].aspetto, 0.53 / std::sin(a), 1e-6);  // 1.06: r is the vertical semi-axis
}

TEST_F(Disegno, SkyIsPaintedAroundTheDiskInTheBandColour) {
  MacchiaRossa& m = Apri();
  Imposta(m, "15", "3", "2004", "22", "0");
  m.Calcola_Click();
  const auto& ops = m.Zorva.operazioni;
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops[0].tipo, Op::Scala);
  EXPECT_EQ(ops[0].x2, 275);
  EXPECT_EQ(ops[0].y2, 255);
  EXPECT_EQ(ops[1].tipo, Op::Cls);
  EXPECT_EQ(ops[2].tipo, Op::Larghezza);
  EXPECT_EQ(ops[2].larghezza, 16);
  Colore notte = RGB(0, 0, 128);
  EXPECT_EQ(m.frmSatelliti.BackColor, notte);
  EXPECT_EQ(m.frmSatelliti.Visibilita.Caption, "               Notte");
  auto linee = DiTipo(m.Zorva, Op::Linea);
  ASSERT_EQ(linee.size(), 2u + 2 * 181);
  for (const Operazione& l : linee) EXPECT_EQ(l.colore, notte);
  // At the equator the sky stops at the limb, 126 units from the centre.
  const Operazione& sinistra = linee[2 + 2 * 90];
  EXPECT_NEAR(sinistra.x2, 134 - 126, 1e-9);
  EXPECT_NEAR(sinistra.y1, 129, 1e-9);
}

TEST_F(Disegno, WithoutRevolutionThePanelHidesAndNoSkyIsPainted) {
  MacchiaRossa& m = Apri();
  ASSERT_TRUE(m.frmSatelliti.Visible);
  m.Rivoluzione.Value = 0;
  m.Calcola_Click();
  EXPECT_FALSE(m.frmSatelliti.Visible);
  EXPECT_TRUE(DiTipo(m.Zorva, Op::Larghezza).empty());
  m.Rivoluzione.Value = 1;
  m.Calcola_Click();
  EXPECT_TRUE(m.frmSatelliti.Visible);
}

TEST_F(Disegno, WithoutSkyColourThePanelTakesTheFaceColour) {
  MacchiaRossa& m = Apri();
  m.Cielo.Value = 0;
  m.Calcola_Click();
  EXPECT_EQ(m.frmSatelliti.BackColor, ColoreFacciata);
  EXPECT_EQ(m.frmSatelliti.Visibilita.BackColor, ColoreFacciata);
  EXPECT_EQ(m.frmSatelliti.Elevazione.BackColor, ColoreFacciata);
  EXPECT_EQ(m.frmSatelliti.Visibilita.Caption, "");
  EXPECT_EQ(m.frmSatelliti.Elevazione.Caption, "");
  EXPECT_TRUE(DiTipo(m.Zorva, Op::Larghezza).empty());
}

TEST(BandaDelCielo, StrictBands) {
  struct Case {
    double h;
    const char* testo;  // nullptr: no band
  } cases[] = {
      {10, "               Giorno"},        {-0.79, "               Giorno"},
      {-0.8, nullptr},                      {-3.611, "        Crepuscolo civile"},
      {-6.8, nullptr},                      {-6.81, "       Crepuscolo nautico"},
      {-12.8, nullptr},                     {-15, "    Crepuscolo astronomico"},
      {-18.8, nullptr},                     {-44, "               Notte"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.h);
    const Banda* b = BandaDelCielo(c.h);
    if (!c.testo) {
      EXPECT_EQ(b, nullptr);
    } else {
      ASSERT_NE(b, nullptr);
      EXPECT_STREQ(b->testo, c.testo);
    }
  }
  EXPECT_EQ(BandaDelCielo(-3)->colore, RGB(128, 128, 255));
  EXPECT_EQ(BandaDelCielo(-10)->colore, RGB(0, 0, 255));
  EXPECT_EQ(BandaDelCielo(-15)->colore, RGB(0, 0, 192));
  EXPECT_EQ(BandaDelCielo(1)->colore, RGB(192, 192, 255));
}

TEST_F(Disegno, GridHasMeridianLimbAndLabelledParallels) {
  MacchiaRossa& m = Apri();
  m.Griglia.Value = 1;
  m.Calcola_Click();
  auto archi = DiTipo(m.Zorva, Op::Arco);
  ASSERT_EQ(archi.size(), 1u);
  EXPECT_EQ(archi[0].colore, RGB(0, 255, 255));
  EXPECT_EQ(archi[0].r, 126);
  EXPECT_EQ(archi[0].aspetto, 0.935);
  EXPECT_EQ(archi[0].inizio, 0);
  EXPECT_EQ(archi[0].fine, 6.27);
  auto testi = DiTipo(m.Zorva, Op::Stampa);
  ASSERT_EQ(testi.size(), 15u);
  EXPECT_EQ(testi.front().testo, " 70");
  EXPECT_EQ(testi[7].testo, " 0");
  EXPECT_EQ(testi.back().testo, "-70");
  auto punti = DiTipo(m.Zorva, Op::Punto);
  ASSERT_EQ(punti.size(), 15u);
  EXPECT_EQ(punti.front().x1, 98);  // 2 k^2 for k = -7
  EXPECT_LT(punti.front().y1, 129);  // the top parallel
  // A click on the picture draws the grid again over the drawing.
  std::size_t prima = m.Zorva.operazioni.size();
  m.Zorva_Click();
  EXPECT_EQ(DiTipo(m.Zorva, Op::Arco).size(), 2u);
  EXPECT_GT(m.Zorva.operazioni.size(), prima);
}

TEST_F(Disegno, PanelTitleShowsTheFieldsWithoutLeadingZeros) {
  MacchiaRossa& m = Apri();
  Imposta(m, "12", "03", "2005", "21", "05");
  m.mSatelliti_Click();
  EXPECT_EQ(m.frmSatelliti.Caption.substr(0, 61),
            "Posizione dei satelliti per il giorno 12/3/2005 alle ore 21:5");
  EXPECT_TRUE(m.frmSatelliti.Visible);
  // Jupiter as a white disk with its belts, then the four satellites.
  auto cerchi = DiTipo(m.frmSatelliti.disegno, Op::Cerchio);
  ASSERT_GE(cerchi.size(), 5u);
  EXPECT_EQ(cerchi[0].x1, 135);
  EXPECT_EQ(cerchi[0].r, 5);
}

TEST_F(Disegno, TwoEclipsesAtOnceKeepTheLaterSuffix) {
  // 14 January 2000, 0:02 UT: Io and Europa both in Jupiter's shadow.
  MacchiaRossa& m = Apri();
  m.TU_Click();
  Imposta(m, "14", "1", "2000", "0", "2");
  m.EclisseTrovata = 0;
  m.mSatelliti_Click();
  EXPECT_EQ(m.EclisseTrovata, 1);
  EXPECT_EQ(m.frmSatelliti.Caption,
            "Posizione dei satelliti per il giorno 14/1/2000 alle ore 0:2        - Eclisse di "
            "Europa -");
  // Both are drawn black over their own colours.
  int neri = 0;
  for (const Operazione& o : DiTipo(m.frmSatelliti.disegno, Op::Riempimento))
    neri += o.colore == RGB(0, 0, 0);
  EXPECT_EQ(neri, 2);
}

TEST_F(Disegno, UncheckedSatellitesDrawNothingButDeIsStillRewritten) {
  MacchiaRossa& m = Apri();
  m.Rivoluzione.Value = 0;
  m.Macchia.Value = 0;
  for (Casella* c : {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto}) c->Value = 0;
  m.De.Text = "";
  m.Calcola_Click();
  EXPECT_TRUE(DiTipo(m.Zorva, Op::Cerchio).empty());
  ASSERT_FALSE(m.De.Text.empty());
  double de = LeggiNumero(m.De.Text);
  EXPECT_NEAR(de * 100, std::nearbyint(de * 100), 1e-6);
}

TEST(Fenomeni, OrbitHalves) {
  EXPECT_TRUE(MetaVicinaEntrata(0));
  EXPECT_FALSE(MetaVicinaEntrata(90));  // u = 90 is on the far half
  EXPECT_TRUE(MetaVicinaUscita(360));
  EXPECT_FALSE(MetaVicinaUscita(270));
  EXPECT_TRUE(VisibileSullaMetaLontana(90, 10, 5, 500, 0, 126));
  EXPECT_TRUE(VisibileSullaMetaLontana(270, 10, 5, -500, 0, 126));
}

TEST(Fenomeni, OccultationIncludesTheOutline) {
  EXPECT_FALSE(VisibileSullaMetaLontana(120, 0, 5, 126, 0, 126));
  EXPECT_FALSE(VisibileSullaMetaLontana(120, 0, 5, 100, 50, 126));
  EXPECT_TRUE(VisibileSullaMetaLontana(120, 0, 5, 126.001, 0, 126));
}

TEST(Fenomeni, EclipseWindowIncludesBothEnds) {
  double psi = 10, w = 4;
  for (double u : {186.0, 190.0, 194.0}) EXPECT_FALSE(VisibileSullaMetaLontana(u, psi, w, 500, 0, 126));
  for (double u : {185.99, 194.01}) EXPECT_TRUE(VisibileSullaMetaLontana(u, psi, w, 500, 0, 126));
  // |Y| beyond the disk: the window shrinks to the single angle 180 + psi.
  EXPECT_EQ(SemiampiezzaOmbra(130, 700, 126), 0);
  EXPECT_FALSE(VisibileSullaMetaLontana(190, psi, 0, 500, 130, 126));
  EXPECT_TRUE(VisibileSullaMetaLontana(190.0001, psi, 0, 500, 130, 126));
}

TEST(Fenomeni, PanelEclipseTestsAreStrict) {
  EXPECT_TRUE(EclissatoNelPannello(190, 10, 2, 6, 0, 5));
  EXPECT_FALSE(EclissatoNelPannello(188, 10, 2, 6, 0, 5));  // window end
  EXPECT_FALSE(EclissatoNelPannello(190, 10, 2, 5, 0, 5));  // on the outline
  EXPECT_FALSE(EclissatoNelPannello(190, 10, 2, 3, 4, 5));  // on the outline, 3-4-5
  EXPECT_FALSE(EclissatoNelPannello(190, 10, 2, 6, 5, 5));  // |Y| not below 5
}

}  // namespace
}  // namespace mr
