#include <cmath>

#include "ephemeris/numeri.h"
#include "finestra_di_prova.h"

namespace mr {
namespace {

class Animazione : public FinestraDiProva {
 protected:
  // Every stop test off: no GRS, no shadows, no panel (so no eclipse announcements).
  MacchiaRossa& SenzaArresti(const char* giorno, const char* ore, const char* minuti) {
    MacchiaRossa& m = Apri();
    m.TM_Click();
    for (Casella* c : {&m.Macchia, &m.Rivoluzione, &m.IO, &m.Europa, &m.Ganimede, &m.Callisto})
      c->Value = 0;
    Imposta(m, giorno, "3", "2004", ore, minuti);
    return m;
  }
  static void Fotogrammi(MacchiaRossa& m, int n) {
    for (int i = 0; i < n; ++i) ASSERT_TRUE(m.MeridianoA_Fotogramma());
  }
};

TEST_F(Animazione, FramesAdvanceTheClockBy8Point27Minutes) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  ASSERT_TRUE(m.MeridianoA_Avvia());
  Fotogrammi(m, 100);
  EXPECT_EQ(Data(m), "15/3/2004 23:47");

  MacchiaRossa& n = SenzaArresti("15", "23", "55");
  ASSERT_TRUE(n.MeridianoA_Avvia());
  Fotogrammi(n, 1);
  EXPECT_EQ(Data(n), "16/3/2004 0:3");
}

// 15 March 2004, 10:00 mean time, Delta T 0: the central meridian is 192.46
// (worked out by hand from the series); 80 frames later it is
// 192.46 + 400 - 360 = 232.46, shown to a tenth.
TEST_F(Animazione, CentralMeridianTurnsFiveDegreesPerFrame) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  m.Calcola_Click();
  EXPECT_NEAR(m.omegaSfondo, 192.46, 1e-9);
  EXPECT_EQ(m.MC.Text, "192.5");
  Imposta(m, "15", "3", "2004", "10", "0");
  ASSERT_TRUE(m.MeridianoA_Avvia());
  Fotogrammi(m, 80);
  EXPECT_NEAR(m.omegaSfondo, 232.46, 1e-9);
  EXPECT_EQ(m.MC.Text, "232.5");
}

TEST_F(Animazione, WithEveryStopOffRunsAll5222FramesAbout30Days) {
  MacchiaRossa& m = SenzaArresti("1", "10", "0");
  m.MeridianoA();
  EXPECT_FALSE(m.AnimazioneInCorso());
  EXPECT_EQ(m.Fotogramma(), 5222);
  EXPECT_EQ(m.Arresto(), Arresto::Fine);
  // 5222 x 8.273294495 min = 30 d 0 h 3 min.
  EXPECT_EQ(Data(m), "31/3/2004 10:3");
  EXPECT_EQ(m.Massimo.Text, "100");
}

// The GRS at longitude 0 and the meridian at 192.46 (15 March 2004, 10:00
// mean time): frame 33 brings the meridian to 357.46 (a = 92.54, just outside
// the 2.5 degrees), frame 34 to 2.46 (a = 87.54), 34 x 8.273 minutes later.
TEST_F(Animazione, StopsOnTheFirstGrsTransit) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  m.Macchia.Value = 1;
  m.MeridianoA();
  EXPECT_EQ(m.Arresto(), Arresto::Macchia);
  EXPECT_EQ(m.Fotogramma(), 34);
  EXPECT_NEAR(m.omegaSfondo, 2.46, 1e-9);
  EXPECT_EQ(m.MC.Text, "2.5");
  EXPECT_EQ(Data(m), "15/3/2004 14:41");
}

TEST_F(Animazione, ShadowStopTurnsThatCaptionBlue) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  for (Casella* c : {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto}) c->Value = 1;
  m.MeridianoA();
  const int fermato = SatelliteDellArresto(m.Arresto());
  ASSERT_GE(fermato, 0) << "stopped by reason " << static_cast<int>(m.Arresto());
  Casella* caselle[] = {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(caselle[i]->ForeColor, i == fermato ? RGB(0, 0, 250) : RGB(200, 0, 0));
  }
  // The stop frame shows that satellite's shadow on the disk near the central
  // meridian: on the near half of the orbit, less than 8.5 units (Io) or 7.5
  // (the others) from the meridian and within 127 of the equator.
  std::string giorno = m.Giorno.Text;
  const SatelliteDisegnato s = m.Ombre().satelliti[fermato];
  EXPECT_EQ(m.Giorno.Text, giorno);
  const double lim = fermato == 0 ? 8.5 : 7.5;
  EXPECT_NE(s.meta, Meta::Lontana);
  EXPECT_TRUE(std::isfinite(s.XS) && std::abs(s.XS) < lim) << s.XS;
  EXPECT_TRUE(std::isfinite(s.YS) && std::abs(s.YS) <= 127) << s.YS;
}

TEST_F(Animazione, EclipseFlagIsClearedAtStartAndStopsAtTheTopOfTheNextFrame) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  m.Rivoluzione.Value = 1;
  m.EclisseTrovata = 1;
  ASSERT_TRUE(m.MeridianoA_Avvia());
  EXPECT_EQ(m.EclisseTrovata, 0);
  while (m.MeridianoA_Fotogramma())
    if (m.EclisseTrovata == 1) break;
  ASSERT_EQ(m.EclisseTrovata, 1) << "no eclipse announced in 30 days";
  ASSERT_NE(m.frmSatelliti.Caption.find("- Eclisse di "), std::string::npos);
  int f = m.Fotogramma();
  std::string prima = Data(m);
  auto disegno = m.Zorva.operazioni.size();
  EXPECT_FALSE(m.MeridianoA_Fotogramma());
  EXPECT_EQ(m.Arresto(), Arresto::EclisseTrovata);
  EXPECT_EQ(m.Fotogramma(), f);
  EXPECT_EQ(Data(m), prima);
  EXPECT_EQ(m.Zorva.operazioni.size(), disegno);
}

TEST_F(Animazione, IntervalFollowsTheSpeedOnlyWithTheGrs) {
  MacchiaRossa& m = Apri();
  m.Velocita_Change(1);
  EXPECT_EQ(m.Intervallo(), 1000000);
  EXPECT_EQ(m.Massimo.Text, "1");
  m.Velocita_Change(100);
  EXPECT_EQ(m.Intervallo(), 10000);
  m.Velocita_Change(37);
  m.Macchia.Value = 0;
  EXPECT_EQ(m.Intervallo(), 10000);
  EXPECT_EQ(m.Massimo.Text, "100");
}

TEST_F(Animazione, StartPaintsSatelliteCaptionsAndAStopLeavesTheLastFrame) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  ASSERT_TRUE(m.MeridianoA_Avvia());
  EXPECT_EQ(m.Callisto.ForeColor, RGB(200, 0, 0));
  Fotogrammi(m, 3);
  std::string data = Data(m);
  m.MeridianoA_Ferma();
  EXPECT_FALSE(m.AnimazioneInCorso());
  EXPECT_FALSE(m.MeridianoA_Fotogramma());
  EXPECT_EQ(Data(m), data);
  EXPECT_EQ(m.Fotogramma(), 3);
}

// From 31 December 2999 22:00 mean time (21:00 UT), 21 frames of 8.273 minutes
// reach 23:53.7 UT; the 22nd would fall in 3000. The animation ends there once,
// with one notice, and the 21st frame stays: 1 January 3000 0:54 mean time.
TEST_F(Animazione, EndsBeforeLeavingTheRangeWithOneNotice) {
  for (int rivoluzione : {0, 1}) {
    SCOPED_TRACE(rivoluzione);
    MacchiaRossa& m = SenzaArresti("31", "22", "0");
    m.Mese.Text = "12";
    m.Anno.Text = "2999";
    m.Rivoluzione.Value = rivoluzione;
    ambiente.avvisi.clear();
    ASSERT_TRUE(m.MeridianoA_Avvia());
    int fotogrammi = 0;
    while (m.MeridianoA_Fotogramma()) ASSERT_LT(++fotogrammi, 5222);
    EXPECT_EQ(m.Arresto(), Arresto::FuoriIntervallo);
    EXPECT_EQ(m.Fotogramma(), 21);
    EXPECT_EQ(Data(m), "1/1/3000 0:54");
    EXPECT_EQ(m.EsitoComando(), Esito::Eseguito);
    ASSERT_EQ(ambiente.avvisi.size(), 1u);
    EXPECT_EQ(ambiente.avvisi[0], AvvisoFuoriIntervallo);
    EXPECT_FALSE(m.Zorva.operazioni.empty());  // the last frame's drawing
  }
}

TEST_F(Animazione, RefusedOutsideTheRange) {
  MacchiaRossa& m = SenzaArresti("15", "10", "0");
  m.Anno.Text = "1500";
  EXPECT_FALSE(m.MeridianoA_Avvia());
  EXPECT_FALSE(m.AnimazioneInCorso());
  EXPECT_EQ(ambiente.avvisi.back(), AvvisoFuoriIntervallo);
  EXPECT_EQ(m.EsitoComando(), Esito::FuoriIntervallo);
}

}  // namespace
}  // namespace mr
