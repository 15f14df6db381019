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
  // Computes for 15 March 2004 22:00 mean time, Delta T 0, with the GRS
  // placed at angle a on the disk: the central meridian is then 267.65
  // (worked out by hand from the series), and a = 90 + L - 267.65.
  MacchiaRossa& ConMacchiaAdAngolo(double a) {
    Scrivi("Imp.txt", TestoNumero(267.65 + a - 90) + ",12,0,42,0,0\r\n");
    MacchiaRossa& m = Apri();
    Imposta(m, "15", "3", "2004", "22", "0");
    m.Calcola_Click();
    EXPECT_NEAR(m.omegaSfondo, 267.65, 1e-9);
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

// Each band's edges, just inside and just outside; on a threshold no band.
TEST(BandaDelCielo, EveryEdgeFromBothSides) {
  struct Case {
    double h;
    Colore colore;  // 1: no band
  } cases[] = {
      {-0.79, RGB(192, 192, 255)}, {-0.8, 1},  {-0.81, RGB(128, 128, 255)},
      {-6.79, RGB(128, 128, 255)}, {-6.8, 1},  {-6.81, RGB(0, 0, 255)},
      {-12.79, RGB(0, 0, 255)},    {-12.8, 1}, {-12.81, RGB(0, 0, 192)},
      {-18.79, RGB(0, 0, 192)},    {-18.8, 1}, {-18.81, RGB(0, 0, 128)},
      {90, RGB(192, 192, 255)},    {-90, RGB(0, 0, 128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.h);
    const Banda* b = BandaDelCielo(c.h);
    if (c.colore == 1) {
      EXPECT_EQ(b, nullptr);
    } else {
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->colore, c.colore);
    }
  }
}

// The panel marker: a < 180 and |5 cos a| < 4.5, that is 25.842 < a < 154.158;
// the oval: a <= 180 and |121 cos a| <= 111, that is 23.458 <= a <= 156.542;
// the transit: 87.5 <= a <= 92.5.
TEST(Macchia, MarkersAndTransitAtTheirLimits) {
  struct Case {
    double a;
    bool pannello, disco, meridiano;
  } cases[] = {
      {90, true, true, true},          {87.5, true, true, true},
      {87.49, true, true, false},      {92.5, true, true, true},
      {92.51, true, true, false},      {25.85, true, true, false},
      {25.83, false, true, false},     {154.15, true, true, false},
      {154.17, false, true, false},    {23.46, false, true, false},
      {23.44, false, false, false},    {156.54, false, true, false},
      {156.56, false, false, false},   {180, false, false, false},
      {270, false, false, false},      {0.000001, false, false, false},
      {359.99, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a);
    EXPECT_EQ(MacchiaSulPannello(c.a), c.pannello);
    EXPECT_EQ(MacchiaSulDisco(c.a), c.disco);
    EXPECT_EQ(MacchiaAlMeridiano(c.a), c.meridiano);
  }
}

// Between two frames the meridian less the Spot's longitude goes from below 0
// to 0 or above, the short way round.
TEST(Fenomeni, GrsCrossingBetweenFrames) {
  struct Case {
    double omegaPrima, LPrima, omega, L;
    bool passata;
  } cases[] = {
      {357.49, 0, 2.51, 0, true},   // -2.51 to 2.51: over the window
      {359.99, 0, 0, 0, true},      // reaches it exactly
      {10, 20, 15, 10, true},       // -10 to 5, the Spot moved
      {355, 0, 359.99, 0, false},   // still before it
      {0, 0, 5, 0, false},          // already on it the frame before
      {181, 0, 179, 0, false},      // -179 to 179: the far side
      {170, 0, 190, 0, false},      // 170 to -170
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.omegaPrima << " " << c.omega);
    EXPECT_EQ(MacchiaPassata(c.omegaPrima, c.LPrima, c.omega, c.L), c.passata);
  }
}

// The animation's shadow stop: |XS| below 8.5 for Io and 7.5 for the others,
// |YS| up to 127 included.
TEST(Fenomeni, ShadowStopLimits) {
  struct Case {
    int i;
    double XS, YS;
    bool ferma;
  } cases[] = {
      {0, 8.49, 0, true},    {0, 8.5, 0, false},    {0, -8.49, 0, true},  {0, -8.5, 0, false},
      {1, 7.49, 0, true},    {1, 7.5, 0, false},    {2, -7.49, 0, true},  {2, -7.5, 0, false},
      {3, 7.49, 0, true},    {3, 7.5, 0, false},    {1, 0, 127, true},    {1, 0, 127.01, false},
      {0, 0, -127, true},    {0, 0, -127.01, false}, {3, 0, 127, true},   {2, 0, -127.01, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.i << " " << c.XS << " " << c.YS);
    EXPECT_EQ(OmbraVicinoAlMeridiano(c.i, c.XS, c.YS), c.ferma);
  }
}

// The panel announces an eclipse strictly inside 180 + psi +- k, k = 2, 0.3,
// 0.15, 0.07 for Io, Europa, Ganymede, Callisto (psi 10, beside the disk).
TEST(Fenomeni, EclipseAnnouncementHalfWidths) {
  const double k[4] = {2, 0.3, 0.15, 0.07};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    for (double lato : {-1.0, 1.0}) {
      EXPECT_TRUE(EclisseAnnunciata(i, 190 + lato * (k[i] - 0.005), 10, 6, 0, 5));
      EXPECT_FALSE(EclisseAnnunciata(i, 190 + lato * (k[i] + 0.005), 10, 6, 0, 5));
    }
  }
  EXPECT_FALSE(EclisseAnnunciata(0, 190, 10, 4, 0, 5));  // in front of the disk
}

// w = sqrt(R^2 - Y^2) x 57.3 / r degrees of u, 0 when |Y| is not below R.
TEST(Fenomeni, ShadowHalfWidthFormula) {
  struct Case {
    double Y, r, R, w;
  } cases[] = {
      {0, 57.3, 5, 5},              // sqrt(25) x 57.3 / 57.3
      {3, 57.3, 5, 4},              // sqrt(16)
      {-4, 11.46, 5, 15},           // 3 x 57.3 / 11.46
      {0, 743.4, 126, 9.7118644},   // 126 x 57.3 / 743.4
      {60, 700, 126, 9.0695350},    // sqrt(12276) x 57.3 / 700
      {5, 20, 5, 0},
      {-5, 20, 5, 0},
      {130, 700, 126, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Y << " " << c.r << " " << c.R);
    const double w = SemiampiezzaOmbra(c.Y, c.r, c.R);
    EXPECT_TRUE(std::isfinite(w) && std::abs(w - c.w) <= 5e-7) << w;
  }
  EXPECT_GT(SemiampiezzaOmbra(4.999, 20, 5), 0);
}

// 8 March 2004, 12:00 UT: all four satellites on the near half of their
// orbits, so all four and their shadows are drawn, each with its radius:
// satellites 3.2, 2.8 (white) and 4.6, 4.2 (grey); shadows 2.9, 2.3, 3.9, 2.8
// at (134 + XS, 129 - YS).
TEST_F(Disegno, SatellitesAndShadowsHaveTheirRadii) {
  MacchiaRossa& m = Apri();
  m.TU_Click();
  Imposta(m, "8", "3", "2004", "12", "0");
  m.Zorva.Azzera();
  const PosizioniDisegno p = m.Ombre();
  const auto& ops = m.Zorva.operazioni;
  Colore riempimento = 0;
  std::vector<std::pair<Colore, double>> satelliti;
  std::vector<Operazione> ombre;
  bool dopoNero = false;
  for (const Operazione& o : ops) {
    if (o.tipo == Op::Riempimento) {
      riempimento = o.colore;
      dopoNero = o.colore == RGB(0, 0, 0);
    } else if (o.tipo == Op::Cerchio) {
      if (dopoNero)
        ombre.push_back(o);
      else
        satelliti.emplace_back(riempimento, o.r);
    }
  }
  std::sort(satelliti.begin(), satelliti.end());
  const std::vector<std::pair<Colore, double>> attesi = {
      {RGB(150, 150, 150), 4.2}, {RGB(150, 150, 150), 4.6},
      {RGB(255, 255, 255), 2.8}, {RGB(255, 255, 255), 3.2}};
  EXPECT_EQ(satelliti, attesi);
  const double raggioOmbra[4] = {2.9, 2.3, 3.9, 2.8};
  ASSERT_EQ(ombre.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const SatelliteDisegnato& s = p.satelliti[i];
    ASSERT_NE(s.meta, Meta::Lontana);
    int trovate = 0;
    for (const Operazione& o : ombre)
      if (o.x1 == 134 + s.XS && o.y1 == 129 - s.YS) {
        ++trovate;
        EXPECT_EQ(o.r, raggioOmbra[i]);
        EXPECT_EQ(o.aspetto, 1);
      }
    EXPECT_EQ(trovate, 1);
  }
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
