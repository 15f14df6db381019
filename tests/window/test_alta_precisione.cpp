// The main window on the precise ephemeris: the panel's eclipses, the
// satellites on the disk, the animation's stops against the times the IMCCE
// published and the event finder's, and a month-long run that does not drift.
// IMCCE predictions printed for January 2016 (UT, to the minute): 2 Jan 05:35
// Europa Ec.D, 11:32 Callisto Ec.D, 13:01 Io Sh.I, 14:10 Io Tr.I, 15:16 Io
// Sh.E; 3 Jan 10:07 Io Ec.D. Red Spot transit for January 2019 with L = 294:
// 17 Jan 06:27 UT. The finder agrees with them within 90 s (its own tests).
#include <cmath>
#include <string>

#include "ephemeris/calendario.h"
#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/eventi.h"
#include "ephemeris/meridiano.h"
#include "ephemeris/numeri.h"
#include "finestra_di_prova.h"

namespace mr {
namespace {

using Op = Operazione::Tipo;
constexpr double Minuto = 1.0 / 1440;
constexpr Colore Nero = RGB(0, 0, 0);
const Sito kSito{12, 42, 0};

// The finder's event of that code and satellite nearest the published time
// (UT Julian day), which it must match within 90 s.
double EventoDelCercatore(double pubblicato, CodiceEvento codice, int satellite, double deltaT) {
  RicercaEventi r = CercaEventi(pubblicato - 0.5, 1, deltaT, kSito, {294, 0, pubblicato});
  double migliore = NAN;
  for (const Evento& e : r.eventi)
    if (e.codice == codice && e.satellite == satellite &&
        !(std::abs(e.jdUT - pubblicato) >= std::abs(migliore - pubblicato)))
      migliore = e.jdUT;
  EXPECT_TRUE(std::isfinite(migliore) && std::abs(migliore - pubblicato) <= 1.5 * Minuto)
      << (migliore - pubblicato) / Minuto << " min";
  return migliore;
}

class AltaPrecisione : public FinestraDiProva {
 protected:
  // A window on the precise ephemeris in Universal Time with these settings,
  // every stop off.
  MacchiaRossa& Precisa(const std::string& imp) {
    Scrivi("Imp.txt", imp);
    MacchiaRossa& m = Apri();
    m.AltaPrecisione = true;
    m.TU_Click();
    for (Casella* c : {&m.Macchia, &m.Rivoluzione, &m.IO, &m.Europa, &m.Ganimede, &m.Callisto})
      c->Value = 0;
    return m;
  }
  // The fields at a UT Julian day, to the minute; returns that minute.
  static double AlMinuto(MacchiaRossa& m, double jdUT) {
    const DataOraUT d = *DataOraAlSecondo(std::round(jdUT / Minuto) * Minuto);
    m.Giorno.Text = std::to_string(d.giorno);
    m.Mese.Text = std::to_string(d.mese);
    m.Anno.Text = std::to_string(d.anno);
    m.Ore.Text = std::to_string(d.ore);
    m.Minuti.Text = std::to_string(d.minuti);
    return GiornoGiuliano(d.giorno, d.mese, d.anno, d.ore, d.minuti);
  }
  // The instant of the animation's latest frame, from its start.
  static double IstanteFotogramma(const MacchiaRossa& m, double inizio) {
    return inizio + m.Fotogramma() * PassoGiorni;
  }
};

// The panel's dots of radius 1 with the fill they were drawn in: the four
// satellites, then those blackened.
std::vector<std::pair<Operazione, Colore>> PuntiDelPannello(const MacchiaRossa& m) {
  std::vector<std::pair<Operazione, Colore>> punti;
  Colore riempimento = 0;
  for (const Operazione& o : m.frmSatelliti.disegno.operazioni) {
    if (o.tipo == Op::Riempimento) riempimento = o.colore;
    if (o.tipo == Op::Cerchio && o.r == 1) punti.emplace_back(o, riempimento);
  }
  return punti;
}

bool Annerito(const MacchiaRossa& m, int i) {
  const auto punti = PuntiDelPannello(m);
  if (punti.size() < 4) return false;
  for (std::size_t k = 4; k < punti.size(); ++k)
    if (punti[k].second == Nero && punti[k].first.x1 == punti[i].first.x1 &&
        punti[k].first.y1 == punti[i].first.y1)
      return true;
  return false;
}

struct Eclisse {
  const char* nome;
  int satellite;  // 1 Io .. 4 Callisto
  int giorno, ore, minuti;
};
const Eclisse Eclissi[] = {
    {"Europa", 2, 2, 5, 35},
    {"Callisto", 4, 2, 11, 32},
    {"Io", 1, 3, 10, 7},
};

// Blackened on the panel from the disappearance on, announced only in the
// frame step that follows it.
TEST_F(AltaPrecisione, PanelBlackensAtTheDisappearanceAndAnnouncesItOnce) {
  MacchiaRossa& m = Precisa("0,12,0,42,0,68\r\n");
  m.Rivoluzione.Value = 1;
  for (const Eclisse& e : Eclissi) {
    SCOPED_TRACE(e.nome);
    const double pubblicato = GiornoGiuliano(e.giorno, 1, 2016, e.ore, e.minuti);
    const double EcD = EventoDelCercatore(pubblicato, CodiceEvento::EcD, e.satellite, 68);
    const std::string annuncio = std::string("- Eclisse di ") + e.nome + " -";
    struct Istante {
      double jd;
      bool annerito, annunciato;
    } istanti[] = {
        {pubblicato - 3 * Minuto, false, false},
        {pubblicato + 3 * Minuto, true, true},
        {EcD + PassoGiorni + Minuto, true, false},
    };
    for (const Istante& t : istanti) {
      SCOPED_TRACE((t.jd - pubblicato) / Minuto);
      AlMinuto(m, t.jd);
      m.EclisseTrovata = 0;
      m.Calcola_Click();
      EXPECT_EQ(Annerito(m, e.satellite - 1), t.annerito);
      EXPECT_EQ(m.EclisseTrovata, t.annunciato ? 1 : 0);
      EXPECT_EQ(m.frmSatelliti.Caption.find(annuncio) != std::string::npos, t.annunciato)
          << m.frmSatelliti.Caption;
    }
  }
}

TEST_F(AltaPrecisione, AnimationStopsOnTheFrameAfterTheDisappearance) {
  for (const Eclisse& e : Eclissi) {
    SCOPED_TRACE(e.nome);
    MacchiaRossa& m = Precisa("0,12,0,42,0,68\r\n");
    m.Rivoluzione.Value = 1;
    const double pubblicato = GiornoGiuliano(e.giorno, 1, 2016, e.ore, e.minuti);
    const double EcD = EventoDelCercatore(pubblicato, CodiceEvento::EcD, e.satellite, 68);
    const double inizio = AlMinuto(m, pubblicato - 100 * Minuto);
    m.MeridianoA();
    ASSERT_EQ(m.Arresto(), Arresto::EclisseTrovata);
    EXPECT_NE(m.frmSatelliti.Caption.find(std::string("Eclisse di ") + e.nome), std::string::npos)
        << m.frmSatelliti.Caption;
    // The announcing frame is the first at or after the disappearance.
    const double dopo = IstanteFotogramma(m, inizio) - EcD;
    EXPECT_TRUE(std::isfinite(dopo) && dopo >= 0 && dopo < PassoGiorni) << dopo / Minuto;
  }
}

// Io's shadow crosses the central meridian between Sh.I and Sh.E: the
// animation stops within one frame of the instant its X is 0.
TEST_F(AltaPrecisione, ShadowStopBracketsTheShadowOnTheCentralMeridian) {
  MacchiaRossa& m = Precisa("0,12,0,42,0,68\r\n");
  m.IO.Value = 1;
  const double ingresso = EventoDelCercatore(GiornoGiuliano(2, 1, 2016, 13, 1), CodiceEvento::ShI, 1, 68);
  const double uscita = EventoDelCercatore(GiornoGiuliano(2, 1, 2016, 15, 16), CodiceEvento::ShE, 1, 68);
  auto X = [](double jd) { return PosizioniAllIstante({jd, 68}).satelliti[0].ombra.X; };
  double a = ingresso, b = uscita;
  ASSERT_LT(X(a) * X(b), 0);
  while (b - a > 1e-7) {
    const double c = (a + b) / 2;
    (X(c) * X(a) > 0 ? a : b) = c;
  }
  const double inizio = AlMinuto(m, ingresso - 60 * Minuto);
  m.MeridianoA();
  ASSERT_EQ(m.Arresto(), Arresto::OmbraIo);
  EXPECT_EQ(m.IO.ForeColor, RGB(0, 0, 250));
  const double fermo = IstanteFotogramma(m, inizio);
  EXPECT_TRUE(std::isfinite(fermo) && std::abs(fermo - a) < PassoGiorni) << (fermo - a) / Minuto;
  // Where the shadow really is then: within 8.5 units of the meridian (the
  // short series stop this one 6.8 minutes early, 13 units away).
  const double XS = X(fermo) * 126;
  EXPECT_TRUE(std::isfinite(XS) && std::abs(XS) < 8.5) << XS;
}

TEST_F(AltaPrecisione, GrsStopWithinOneFrameOfTheTransit) {
  MacchiaRossa& m = Precisa("294,12,0,42,0,69\r\n");
  m.Macchia.Value = 1;
  const double pubblicato = GiornoGiuliano(17, 1, 2019, 6, 27);
  const double transito = EventoDelCercatore(pubblicato, CodiceEvento::GRS, 0, 69);
  const double inizio = AlMinuto(m, pubblicato - 150 * Minuto);
  m.MeridianoA();
  ASSERT_EQ(m.Arresto(), Arresto::Macchia);
  const double fermo = IstanteFotogramma(m, inizio);
  EXPECT_TRUE(std::isfinite(fermo) && std::abs(fermo - transito) < PassoGiorni)
      << (fermo - transito) / Minuto;
  const double MC = PosizioniAllIstante({fermo, 69}).MC;
  EXPECT_TRUE(std::isfinite(MC) && std::abs(MC - 294) <= 2.5) << MC;
}

// Thirty days of frames: the meridian of the last one is the ephemeris' for
// its instant. Turned by 5 degrees a frame it would be degrees away by then.
TEST_F(AltaPrecisione, AMonthOfFramesDoesNotDrift) {
  MacchiaRossa& m = Precisa("0,12,0,42,0,68\r\n");
  const double inizio = AlMinuto(m, GiornoGiuliano(2, 1, 2016));
  m.MeridianoA();
  ASSERT_EQ(m.Arresto(), Arresto::Fine);
  const double MC = PosizioniAllIstante({inizio + 5222 * PassoGiorni, 68}).MC;
  EXPECT_TRUE(std::isfinite(m.omegaSfondo) && std::abs(m.omegaSfondo - MC) <= 1e-9)
      << m.omegaSfondo << " " << MC;
  EXPECT_EQ(m.MC.Text, TestoMC(MC));

  m.AltaPrecisione = false;
  AlMinuto(m, inizio);
  m.MeridianoA();
  ASSERT_EQ(m.Arresto(), Arresto::Fine);
  EXPECT_GT(std::abs(std::remainder(m.omegaSfondo - MC, 360.0)), 1);
}

// 2 January 2016: at 14:10 (Tr.I) Io's centre is on the limb of the disk,
// whose polar radius is 117.81 units to the equator's 126; at 13:01 (Sh.I)
// its shadow's is. At 09:00 Europa, eclipsed and then behind the disk, is not
// drawn. On the panel (radius 5) Io is on the limb at 14:10 too.
TEST_F(AltaPrecisione, SatellitesAndShadowsStandOnTheDrawnDisk) {
  MacchiaRossa& m = Precisa("0,12,0,42,0,68\r\n");
  m.Rivoluzione.Value = 1;
  for (Casella* c : {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto}) c->Value = 1;
  auto sulBordo = [](const Operazione& o) {
    return std::hypot((o.x1 - 134) / 126, (129 - o.y1) / 117.81);
  };
  auto cerchi = [&](double raggio) {
    std::vector<Operazione> v;
    for (const Operazione& o : m.Zorva.operazioni)
      if (o.tipo == Op::Cerchio && o.r == raggio) v.push_back(o);
    return v;
  };
  AlMinuto(m, GiornoGiuliano(2, 1, 2016, 14, 10));
  m.Calcola_Click();
  auto io = cerchi(3.2);
  ASSERT_EQ(io.size(), 1u);
  EXPECT_NEAR(sulBordo(io[0]), 1, 0.03);
  const Operazione pannello = PuntiDelPannello(m)[0].first;
  EXPECT_NEAR(std::hypot(pannello.x1 - 135, pannello.y1 - 30), 5, 0.15);

  AlMinuto(m, GiornoGiuliano(2, 1, 2016, 13, 1));
  m.Calcola_Click();
  auto ombra = cerchi(2.9);
  ASSERT_EQ(ombra.size(), 1u);
  EXPECT_NEAR(sulBordo(ombra[0]), 1, 0.03);

  AlMinuto(m, GiornoGiuliano(2, 1, 2016, 9, 0));
  m.Calcola_Click();
  EXPECT_TRUE(cerchi(2.8).empty());
}

// The precise states as the drawings take them, at the panel's scale.
TEST(PosizioniDallaPrecisa, StatesAndScale) {
  PosizioniPrecise ora{}, prima{};
  ora.valide = prima.valide = true;
  ora.DE = -1.5;
  auto& s = ora.satelliti;
  s[0] = {{0.4, -0.1}, true, true, false, false, {0.2, -0.05}, true};     // in transit
  s[1] = {{-0.3, 0.05}, false, false, true, true, {3, 0}, false};         // behind, eclipsed
  s[2] = {{-9, 0.2}, true, false, false, false, {-8.5, 0.2}, false};      // left, in front
  s[3] = {{20, -0.5}, false, false, false, true, {21, -0.5}, false};      // eclipsed beside
  prima.satelliti[1].eclissato = true;
  const PosizioniDisegno p = PosizioniDallaPrecisa(ora, prima, 5);
  EXPECT_EQ(p.DE, -1.5);
  struct Atteso {
    double X, Y, XS, YS;
    Meta meta;
    bool dietro, visibile, eclissato, annunciato, ombra;
  } attesi[] = {
      {2, -0.5, 1, -0.25, Meta::VicinaDestra, false, true, false, false, true},
      {-1.5, 0.25, 15, 0, Meta::Lontana, true, false, false, false, false},
      {-45, 1, -42.5, 1, Meta::VicinaSinistra, false, true, false, false, false},
      {100, -2.5, 105, -2.5, Meta::Lontana, false, false, true, true, false},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const SatelliteDisegnato& d = p.satelliti[i];
    const Atteso& a = attesi[i];
    EXPECT_DOUBLE_EQ(d.X, a.X);
    EXPECT_DOUBLE_EQ(d.Y, a.Y);
    EXPECT_DOUBLE_EQ(d.XS, a.XS);
    EXPECT_DOUBLE_EQ(d.YS, a.YS);
    EXPECT_EQ(d.meta, a.meta);
    EXPECT_EQ(d.dietroIlDisco, a.dietro);
    EXPECT_EQ(d.visibile, a.visibile);
    EXPECT_EQ(d.eclissato, a.eclissato);
    EXPECT_EQ(d.annunciato, a.annunciato);
    EXPECT_EQ(d.ombraVisibile, a.ombra);
  }
}

// Imp.txt gives the Red Spot at 85 on 1 March 2026 drifting 1.5 degrees a
// month of 30.4375 days: Longitudine shows its longitude at the computed
// instant, to 0.1, and the drawing uses it.
TEST_F(AltaPrecisione, DriftingRedSpotAtTheComputedInstant) {
  Scrivi("Imp.txt", "85,12,0,42,0,69,1.5,20260301\r\n");
  MacchiaRossa& m = Apri();
  m.TU_Click();
  struct Caso {
    const char *giorno, *mese, *anno, *testo;
    double L;  // 85 + 1.5 x days / 30.4375, to 0.1
  } casi[] = {
      {"1", "3", "2026", "85", 85},       // the epoch
      {"1", "4", "2026", "86.5", 86.5},   // 31 days: 86.528
      {"30", "1", "2026", "83.5", 83.5},  // 30 days before: 83.522
      {"1", "3", "2027", "103", 103},     // 365 days: 102.988
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.testo);
    Imposta(m, c.giorno, c.mese, c.anno, "0", "0");
    m.Calcola_Click();
    EXPECT_EQ(m.Longitudine.Text, c.testo);
    EXPECT_EQ(m.LSfondo, c.L);
  }
  // An animation from the epoch: after 2610 frames (14.995 days) 85.739,
  // after all 5222 (30.002 days) 86.479.
  for (Casella* c : {&m.Macchia, &m.Rivoluzione, &m.IO, &m.Europa, &m.Ganimede, &m.Callisto})
    c->Value = 0;
  Imposta(m, "1", "3", "2026", "0", "0");
  ASSERT_TRUE(m.MeridianoA_Avvia());
  EXPECT_EQ(m.Longitudine.Text, "85");
  for (int f = 0; f < 2610; ++f) ASSERT_TRUE(m.MeridianoA_Fotogramma());
  EXPECT_EQ(m.Longitudine.Text, "85.7");
  while (m.MeridianoA_Fotogramma()) {
  }
  EXPECT_EQ(m.Fotogramma(), 5222);
  EXPECT_EQ(m.Longitudine.Text, "86.5");
  EXPECT_EQ(m.LSfondo, 86.5);
}

}  // namespace
}  // namespace mr
