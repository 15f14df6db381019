#include <cmath>
#include <string>

#include "ephemeris/numeri.h"
#include "finestra_di_prova.h"

namespace mr {
namespace {

using Avvio = FinestraDiProva;

TEST_F(Avvio, OpensOnThePresentInstantWithTheStoredZone) {
  Scrivi("IOra.txt", "1\r\n");
  ambiente.adesso = UT(2001, 3, 5, 7, 7, 45);  // 9:07:45 summer time
  MacchiaRossa& m = Apri();
  EXPECT_TRUE(m.OE);
  EXPECT_FALSE(m.TM);
  EXPECT_EQ(m.ScartoOra, 1.0f);
  EXPECT_EQ(m.Massimo.Text, "100");
  EXPECT_EQ(m.Velocita, 100);
  EXPECT_EQ(Data(m), "5/3/2001 9:7");
  EXPECT_EQ(m.Longitudine.Text, "0");
  EXPECT_EQ(m.LongGradi, 12);
  EXPECT_EQ(m.LatGradi, 42);
  EXPECT_TRUE(ambiente.avvisi.empty());
}

TEST_F(Avvio, ClockTextsAreCopiedWithTheirLeadingZeros) {
  // A clock outside the computed range leaves the copied texts in place.
  ambiente.adesso = UT(1501, 3, 5, 8, 7, 45);  // 9:07:45 mean time
  MacchiaRossa& m = Apri();
  EXPECT_EQ(Data(m), "05/03/1501 09:07");
  ASSERT_FALSE(ambiente.avvisi.empty());
  EXPECT_EQ(ambiente.avvisi.back(), AvvisoFuoriIntervallo);
}

TEST_F(Avvio, MissingImpIsCreatedWithDefaultsAndANotice) {
  std::filesystem::remove(cartella / "Imp.txt");
  MacchiaRossa& m = Apri();
  EXPECT_EQ(Leggi("Imp.txt"), "98,12,30,41,54,69\r\n");
  EXPECT_EQ(m.Longitudine.Text, "98");
  EXPECT_EQ(m.LongPrimi, 30);
  ASSERT_EQ(ambiente.avvisi.size(), 1u);
  EXPECT_NE(ambiente.avvisi[0].find("Impostazioni"), std::string::npos);
}

TEST_F(Avvio, ShortImpUsesDefaultsForTheRestOnceNoticed) {
  Scrivi("Imp.txt", "23,14\r\n");
  MacchiaRossa& m = Apri();
  EXPECT_EQ(m.Longitudine.Text, "23");
  EXPECT_EQ(m.LongGradi, 14);
  EXPECT_EQ(m.LongPrimi, 30);
  EXPECT_EQ(m.LatGradi, 41);
  m.Calcola_Click();
  m.Calcola_Click();
  EXPECT_EQ(ambiente.avvisi.size(), 1u);
  EXPECT_EQ(Leggi("Imp.txt"), "23,14\r\n");
}

// Absurd values in Imp.txt never reach the computations: each takes its
// default, with one notice however many computations follow.
TEST_F(Avvio, ValuesOutOfRangeInImpTakeTheDefaultsOnceNoticed) {
  Scrivi("Imp.txt", "1e308,12,0,95,0," + std::string(400, '9') + "\r\n");
  MacchiaRossa& m = Apri();
  Imposta(m, "15", "3", "2004", "22", "0");
  m.Calcola_Click();
  m.Calcola_Click();
  EXPECT_EQ(m.Longitudine.Text, "98");
  EXPECT_EQ(m.LongGradi, 12);
  EXPECT_EQ(m.LongPrimi, 0);
  EXPECT_EQ(m.LatGradi, 41);
  EXPECT_EQ(m.LatPrimi, 54);
  ASSERT_EQ(ambiente.avvisi.size(), 1u);
  EXPECT_EQ(ambiente.avvisi[0],
            "Nel file Imp.txt sono fuori dall'intervallo ammesso la longitudine della Macchia "
            "Rossa (da 0° a meno di 360°), la latitudine dell'osservatore (da -90° a 90°, primi "
            "minori di 60) e Delta T (da -10000 s a 10000 s): per questi uso i valori "
            "predefiniti");
  const double mc = LeggiNumero(m.MC.Text);
  EXPECT_TRUE(mc >= 0 && mc <= 360) << m.MC.Text;
  EXPECT_EQ(m.frmSatelliti.Elevazione.Caption.find("-3276.8"), std::string::npos)
      << m.frmSatelliti.Elevazione.Caption;
  EXPECT_EQ(Leggi("Imp.txt").substr(0, 6), "1e308,");
}

TEST_F(Avvio, MissingOrOddIOraSelectsMeanTimeAndWritesNothing) {
  for (const char* contenuto : {"", "7\r\n", "abc"}) {
    SCOPED_TRACE(contenuto);
    std::filesystem::remove(cartella / "IOra.txt");
    if (*contenuto) Scrivi("IOra.txt", contenuto);
    MacchiaRossa& m = Apri();
    EXPECT_TRUE(m.TM);
    EXPECT_EQ(m.ScartoOra, 0.0f);
    EXPECT_EQ(Leggi("IOra.txt"), contenuto);
  }
}

// The window removes what interrupted saves left in its folder; the headless
// front, which never writes, leaves the folder alone.
TEST_F(Avvio, StaleTemporaryFilesGoWhenTheWindowOpens) {
  const std::string vecchio = ".Imp.txt.0123456789abcdef.tmp";
  for (bool scriviFile : {false, true}) {
    SCOPED_TRACE(scriviFile);
    Scrivi(vecchio, "1,2");
    Scrivi("appunti.tmp", "x");
    MacchiaRossa m(cartella, ambiente, scriviFile);
    m.Form_Load();
    EXPECT_EQ(std::filesystem::exists(cartella / vecchio), !scriviFile);
    EXPECT_TRUE(std::filesystem::exists(cartella / "appunti.tmp"));
  }
}

// "Tempo reale" shows the clock's instant (kept in Universal Time) in the
// ticked zone: UT + 1 h for Tempo Medio, + 2 h for Ora Estiva, + 0 for Tempo
// Universale, across midnight, month and year ends and 29 February.
TEST_F(Avvio, RealTimeShowsTheClockInTheTickedZone) {
  struct Case {
    std::chrono::sys_seconds adesso;
    void (MacchiaRossa::*zona)();
    const char* atteso;
  } cases[] = {
      {UT(2004, 7, 15, 10, 30, 20), &MacchiaRossa::TM_Click, "15/7/2004 11:30"},
      {UT(2004, 7, 15, 10, 30, 20), &MacchiaRossa::OE_Click, "15/7/2004 12:30"},
      {UT(2004, 7, 15, 10, 30, 20), &MacchiaRossa::TU_Click, "15/7/2004 10:30"},
      {UT(2004, 12, 31, 23, 30), &MacchiaRossa::TM_Click, "1/1/2005 0:30"},
      {UT(2004, 12, 31, 23, 30), &MacchiaRossa::OE_Click, "1/1/2005 1:30"},
      {UT(2004, 12, 31, 23, 30), &MacchiaRossa::TU_Click, "31/12/2004 23:30"},
      {UT(2004, 2, 28, 23, 10), &MacchiaRossa::OE_Click, "29/2/2004 1:10"},
      {UT(2001, 2, 28, 22, 59, 59), &MacchiaRossa::OE_Click, "1/3/2001 0:59"},
  };
  MacchiaRossa& m = Apri();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.atteso);
    (m.*c.zona)();
    ambiente.adesso = c.adesso;
    m.TReale_Click();
    EXPECT_EQ(Data(m), c.atteso);
  }
}

// An instant from elsewhere (a double-click in the planner) shows as the
// clock's does, runs the same computation, and the fields give it back.
TEST_F(Avvio, AnInstantShowsInTheTickedZoneAndReadsBack) {
  MacchiaRossa& m = Apri();
  m.OE_Click();
  m.MostraIstanteUT(UT(2016, 1, 2, 14, 10, 40));
  EXPECT_EQ(Data(m), "2/1/2016 16:10");
  // 2016-01-02 0h UT is JD 2457389.5; 14h 10m is 0.5902778 d.
  const std::optional<double> jd = m.IstanteCampiUT();
  ASSERT_TRUE(jd);
  EXPECT_NEAR(*jd, 2457390.0902778, 1e-7);

  MacchiaRossa calcolata(cartella, ambiente);
  calcolata.Form_Load();
  calcolata.OE_Click();
  Imposta(calcolata, "2", "1", "2016", "16", "10");
  calcolata.Calcola_Click();
  EXPECT_EQ(m.MC.Text, calcolata.MC.Text);
  EXPECT_EQ(m.Longitudine.Text, calcolata.Longitudine.Text);
  EXPECT_EQ(m.Zorva.operazioni.size(), calcolata.Zorva.operazioni.size());

  Imposta(m, "1", "1", "1500", "0", "0");
  EXPECT_FALSE(m.IstanteCampiUT());
}

using Zone = FinestraDiProva;

// Start-up reads IOra.txt and leaves it alone (a read-only folder gives no
// notice at every start); a zone button writes it only for a new choice.
TEST_F(Zone, IOraIsWrittenOnlyWhenTheChoiceChanges) {
  for (const char* contenuto : {"1", " 1 \r\n", "0"}) {
    SCOPED_TRACE(contenuto);
    Scrivi("IOra.txt", contenuto);
    const auto ora = std::filesystem::last_write_time(cartella / "IOra.txt");
    ambiente.avvisi.clear();
    MacchiaRossa& m = Apri();
    EXPECT_EQ(Leggi("IOra.txt"), contenuto);
    EXPECT_EQ(std::filesystem::last_write_time(cartella / "IOra.txt"), ora);
    EXPECT_TRUE(ambiente.avvisi.empty());
    const bool estiva = m.OE;
    (m.*(estiva ? &MacchiaRossa::OE_Click : &MacchiaRossa::TM_Click))();
    EXPECT_EQ(Leggi("IOra.txt"), contenuto);
    (m.*(estiva ? &MacchiaRossa::TM_Click : &MacchiaRossa::OE_Click))();
    EXPECT_EQ(Leggi("IOra.txt"), estiva ? "0\r\n" : "1\r\n");
  }
}

TEST_F(Zone, UniversalTimeIsNeverStored) {
  MacchiaRossa& m = Apri();
  m.OE_Click();
  EXPECT_EQ(Leggi("IOra.txt"), "1\r\n");
  m.TU_Click();
  EXPECT_EQ(m.ScartoOra, -1.0f);
  EXPECT_EQ(m.ScartoOraGiorno, -1.0f / 24);
  EXPECT_EQ(Leggi("IOra.txt"), "1\r\n");
  MacchiaRossa& riaperta = Apri();
  EXPECT_TRUE(riaperta.OE);
  riaperta.TM_Click();
  EXPECT_EQ(Leggi("IOra.txt"), "0\r\n");
}

TEST_F(Zone, ChangingTheZoneDoesNotCompute) {
  MacchiaRossa& m = Apri();
  Imposta(m, "31", "4", "2004", "10", "0");
  m.OE_Click();
  m.TU_Click();
  m.TM_Click();
  EXPECT_EQ(Data(m), "31/4/2004 10:0");
}

using Calcolo = FinestraDiProva;

TEST_F(Calcolo, NormalisesTheFields) {
  struct Case {
    const char* giorno, *mese, *anno, *ore, *minuti;
    const char* atteso;
  } cases[] = {
      {"31", "4", "2004", "10", "0", "1/5/2004 10:0"},
      {"1", "3", "2000", "0", "-1", "29/2/2000 23:59"},
      {"15", "6", "2004", "7", "60", "15/6/2004 8:0"},
      {"15", "6", "2004", "7,5", "05", "15/6/2004 7:5"},
      {"0", "3", "2004", "30", "0", "1/3/2004 6:0"},
  };
  MacchiaRossa& m = Apri();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.atteso);
    Imposta(m, c.giorno, c.mese, c.anno, c.ore, c.minuti);
    m.Calcola_Click();
    EXPECT_EQ(Data(m), c.atteso);
  }
}

TEST_F(Calcolo, RefusesInstantsOutside1600To2999) {
  MacchiaRossa& m = Apri();
  for (const char* anno : {"1582", "1599", "3000", "abc", "99999999"}) {
    SCOPED_TRACE(anno);
    ambiente.avvisi.clear();
    Imposta(m, "4", "10", anno, "12", "0");
    std::string mcPrima = m.MC.Text;
    m.Calcola_Click();
    EXPECT_EQ(Data(m), std::string("4/10/") + anno + " 12:0");
    EXPECT_EQ(m.MC.Text, mcPrima);
    ASSERT_EQ(ambiente.avvisi.size(), 1u);
    EXPECT_EQ(ambiente.avvisi[0], AvvisoFuoriIntervallo);
    EXPECT_EQ(m.EsitoComando(), Esito::FuoriIntervallo);
  }
  // The first minute of 1600 in Universal Time is accepted.
  m.TU_Click();
  Imposta(m, "1", "1", "1600", "0", "0");
  ambiente.avvisi.clear();
  m.Calcola_Click();
  EXPECT_TRUE(ambiente.avvisi.empty());
  EXPECT_EQ(m.EsitoComando(), Esito::Eseguito);
}

TEST_F(Calcolo, FillsTheOutputFields) {
  MacchiaRossa& m = Apri();
  Imposta(m, "15", "3", "2004", "22", "0");
  m.Calcola_Click();
  EXPECT_EQ(m.Culmine.Text, "23:34");
  EXPECT_EQ(m.Sorgere.Text, "17:2");
  EXPECT_EQ(m.Tramonto.Text, "6:10");
  EXPECT_EQ(m.frmSatelliti.Elevazione.Caption, "Altezza =  50.3°");
  EXPECT_EQ(m.Sorgere.ToolTipText, "");

  m.TU_Click();
  Imposta(m, "1", "1", "2000", "12", "0");
  m.Calcola_Click();
  EXPECT_EQ(m.MC.Text, "173.1");
  EXPECT_EQ(m.DiametroA.Text, " 42.7");
  // De shows the Earth's declination to a hundredth after the drawing.
  std::string de = m.De.Text;
  ASSERT_NE(de.find('.'), std::string::npos);
  EXPECT_LE(de.size() - de.find('.') - 1, 2u);
}

TEST_F(Calcolo, GrsLongitudeComesFromTheFileAtEachComputation) {
  MacchiaRossa& m = Apri();
  m.Longitudine.Text = "200";
  Scrivi("Imp.txt", "12.5,12,0,42,0,0\r\n");
  m.Calcola_Click();
  EXPECT_EQ(m.Longitudine.Text, "12.5");
}

TEST_F(Calcolo, PolarObserverSeesNoRisingOrSetting) {
  Scrivi("Imp.txt", "0,12,0,90,0,0\r\n");
  MacchiaRossa& m = Apri();
  Imposta(m, "15", "3", "2004", "22", "0");
  m.Calcola_Click();
  EXPECT_EQ(m.Sorgere.Text, "--:--");
  EXPECT_EQ(m.Tramonto.Text, "--:--");
  // Jupiter north of the equator stays up all day at the north pole.
  EXPECT_EQ(m.Sorgere.ToolTipText, "Zorva resta sopra l'orizzonte tutto il giorno");
  EXPECT_NE(m.Culmine.Text, "--:--");
  Scrivi("Imp.txt", "0,12,0,42,0,0\r\n");
  m.Calcola_Click();
  EXPECT_EQ(m.Sorgere.ToolTipText, "");
}

using Passi = FinestraDiProva;

TEST_F(Passi, MinuteStepsCarryAcrossDaysMonthsAndYears) {
  struct Case {
    const char* nome;
    void (MacchiaRossa::*zona)();
    void (MacchiaRossa::*passo)();
    const char* giorno, *mese, *anno, *ore, *minuti;
    const char* atteso;
  } cases[] = {
      {"+1 at the year end", &MacchiaRossa::TM_Click, &MacchiaRossa::Piu_Click, "31", "12",
       "1999", "23", "59", "1/1/2000 0:0"},
      {"-10 across 29 February", &MacchiaRossa::OE_Click, &MacchiaRossa::Meno10_Click, "1", "3",
       "2000", "0", "05", "29/2/2000 23:55"},
      {"+10", &MacchiaRossa::TM_Click, &MacchiaRossa::Piu10_Click, "15", "3", "2004", "22",
       "55", "15/3/2004 23:5"},
      {"-1 at midnight", &MacchiaRossa::TU_Click, &MacchiaRossa::Meno_Click, "1", "1", "2001",
       "0", "0", "31/12/2000 23:59"},
  };
  MacchiaRossa& m = Apri();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    (m.*c.zona)();
    Imposta(m, c.giorno, c.mese, c.anno, c.ore, c.minuti);
    (m.*c.passo)();
    EXPECT_EQ(Data(m), c.atteso);
  }
}

TEST_F(Passi, AMinuteFieldThatIsNotANumberIgnoresThePress) {
  MacchiaRossa& m = Apri();
  for (const char* minuti : {"", "abc", "7abc"}) {
    SCOPED_TRACE(minuti);
    Imposta(m, "15", "3", "2004", "22", minuti);
    ambiente.avvisi.clear();
    m.Piu_Click();
    EXPECT_EQ(Data(m), std::string("15/3/2004 22:") + minuti);
    ASSERT_EQ(ambiente.avvisi.size(), 1u);
    EXPECT_NE(ambiente.avvisi[0].find("\"Minuti\""), std::string::npos);
    EXPECT_EQ(m.EsitoComando(), Esito::MinutiNonNumerici);
  }
}

// A step writes the new minute count back into the field; read again, it must
// be the same number, however large, so 10^100 minutes stays out of range.
TEST_F(Passi, AHugeMinuteCountReadsBackAsWrittenAndIsRefused) {
  MacchiaRossa& m = Apri();
  Imposta(m, "15", "3", "2004", "22", ("1" + std::string(100, '0')).c_str());
  ambiente.avvisi.clear();
  m.Piu_Click();
  EXPECT_EQ(LeggiNumero(m.Minuti.Text), 1e100);
  ASSERT_EQ(ambiente.avvisi.size(), 1u);
  EXPECT_EQ(ambiente.avvisi[0], AvvisoFuoriIntervallo);
}

using Caselle = FinestraDiProva;

TEST_F(Caselle, UncheckingASatelliteTurnsItsCaptionDarkRed) {
  MacchiaRossa& m = Apri();
  m.Callisto.Value = 0;
  m.Callisto_Click();
  EXPECT_EQ(m.Callisto.ForeColor, RGB(200, 0, 0));
  m.Callisto.Value = 1;
  m.Callisto_Click();
  EXPECT_EQ(m.Callisto.ForeColor, RGB(200, 0, 0));
  m.IO.Value = 1;
  m.IO_Click();
  EXPECT_EQ(m.IO.ForeColor, RGB(192, 0, 0));
}

// No field ever shows NaN, "inf" or an empty text where a value is due,
// whatever the observer's latitude and the date.
TEST_F(Calcolo, SweepOfLatitudesAndDatesGivesDefinedTexts) {
  MacchiaRossa& m = Apri();
  auto definito = [](const std::string& s) {
    return !s.empty() && s.find("nan") == std::string::npos &&
           s.find("inf") == std::string::npos;
  };
  for (int lat = -95; lat <= 95; lat += 5) {
    Scrivi("Imp.txt", "250,12,0," + std::to_string(lat) + ",0,69\r\n");
    for (int anno = 1601; anno < 3000; anno += 97) {
      for (int mese = 1; mese <= 12; mese += 5) {
        Imposta(m, "17", std::to_string(mese).c_str(), std::to_string(anno).c_str(), "21", "13");
        m.Calcola_Click();
        SCOPED_TRACE(std::to_string(lat) + " " + Data(m));
        for (const Campo* c : {&m.Giorno, &m.Mese, &m.Anno, &m.Ore, &m.Minuti, &m.MC,
                               &m.DiametroA, &m.De, &m.Sorgere, &m.Culmine, &m.Tramonto})
          ASSERT_TRUE(definito(c->Text)) << c->Text;
        ASSERT_TRUE(definito(m.frmSatelliti.Elevazione.Caption));
        ASSERT_TRUE(std::isfinite(m.AltezzaSole));
        for (const Operazione& o : m.Zorva.operazioni)
          ASSERT_TRUE(std::isfinite(o.x1) && std::isfinite(o.y1) && std::isfinite(o.x2) &&
                      std::isfinite(o.y2) && std::isfinite(o.r) && std::isfinite(o.aspetto));
      }
    }
  }
}

}  // namespace
}  // namespace mr
