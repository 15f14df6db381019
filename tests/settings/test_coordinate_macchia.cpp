// The settings dialog's Red Spot: its drift and reference date, the longitude
// used at an instant, and the longitude measured from an observed transit.
#include "settings/coordinate.h"

#include "ephemeris/eventi.h"
#include "cartella_temp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace mr {
namespace {

using prova::CartellaTemp;

// Julian days of 0h UT, by hand from J2000.0 (2000-01-01 0h UT = 2451544.5):
// 2019-01-17 is 6956 days later (19 years, 5 of them leap, + 16 days),
// 2026-03-01 is 9556 days later (26 years, 7 of them leap, + 59 days).
constexpr double Jd20190117 = 2458500.5;
constexpr double Jd20260301 = 2461100.5;

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

Coordinate Dialogo(const CartellaTemp& cartella) {
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  return dialogo;
}

// L0 = MC - drift (t - t0) / 30.4375 d, brought into [0, 360).
TEST(MacchiaDaOsservazione, TheLongitudineIsReferredToTheDateThroughTheDrift) {
  struct Case {
    const char* nome;
    double mc, deriva, ore, atteso;  // ore: hours of t after t0
  };
  const Case cases[] = {
      // 1.5 x 0.26875 / 30.4375 = 0.0132444
      {"06:27, 1.5 a month", 294.3, 1.5, 6.45, 294.2867556},
      {"no drift", 123.4, 0, 18, 123.4},
      // 30 x 0.5 / 30.4375 = 0.4928131: below 0, back into the circle
      {"across 0 going back", 0.2, 30, 12, 359.7071869},
      {"across 360 going forward", 359.9, -30, 12, 0.3928131},
      // A reference date one month after the observation: one month's drift ahead.
      {"a month before the date", 100, 1.5, -30.4375 * 24, 101.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    const double L0 =
        LongitudineAllaData(c.mc, c.deriva, Jd20190117 + c.ore / 24, Jd20190117);
    EXPECT_TRUE(Vicino(L0, c.atteso, 1e-6)) << L0;
  }
}

// Red Spot transits published for January 2019 with the Red Spot at 294°
// (times UT, rounded to the minute, so within 0.5 min = 0.3° of the central
// meridian; the published ephemeris and ours may differ by a few tenths more).
TEST(MacchiaDaOsservazione, PublishedTransitsOfJanuary2019GiveTheirLongitude) {
  struct Case {
    const char *data, *ora;
  };
  const Case transiti[] = {
      {"17/01/2019", "06:27"}, {"17/01/2019", "16:23"}, {"18/01/2019", "02:19"},
      {"18/01/2019", "12:15"}, {"18/01/2019", "22:10"}, {"19/01/2019", "08:06"},
      {"19/01/2019", "18:02"}, {"20/01/2019", "03:58"}, {"20/01/2019", "13:53"},
      {"20/01/2019", "23:49"},
  };
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "98,12,30,41,54,69\r\n");
  Coordinate dialogo = Dialogo(cartella);
  for (const auto& c : transiti) {
    SCOPED_TRACE(std::string(c.data) + " " + c.ora);
    dialogo.DataOsservazione = c.data;
    dialogo.OraOsservazione = c.ora;
    const EsitoMisura esito = dialogo.Misura();
    ASSERT_EQ(esito.problema, ProblemaMisura::Nessuno);
    ASSERT_TRUE(esito.misura);
    EXPECT_TRUE(Vicino(esito.misura->MC, 294, 0.6)) << esito.misura->MC;
    // Without drift the longitude stored is the central meridian to 0.1°.
    EXPECT_TRUE(Vicino(esito.misura->L0, esito.misura->MC, 0.05));
    EXPECT_EQ(esito.misura->deriva, 0);
  }
}

// The same instant typed in the three zones gives the same measurement, and
// the reference date is the date in UT.
TEST(MacchiaDaOsservazione, TheZoneMovesTheInstantAndTheDateIsTheUTOne) {
  struct Case {
    const char *data, *ora;
    int scarto;
  };
  const Case cases[] = {
      {"20/01/2019", "23:49", 0},
      {"21/01/2019", "00:49", 1},
      {"21.1.2019", "1.49", 2},
      {" 21/01/2019 ", "01:49:00", 2},
  };
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "98,12,30,41,54,69\r\n");
  Coordinate dialogo = Dialogo(cartella);
  double mc = NAN;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.data) + " " + c.ora + " +" + std::to_string(c.scarto));
    dialogo.DataOsservazione = c.data;
    dialogo.OraOsservazione = c.ora;
    dialogo.ScartoOsservazione = c.scarto;
    const EsitoMisura esito = dialogo.Misura();
    ASSERT_TRUE(esito.misura);
    EXPECT_EQ(esito.misura->ut, (DataOraUT{2019, 1, 20, 23, 49, 0}));
    EXPECT_EQ(esito.misura->data, 20190120);
    if (std::isnan(mc)) mc = esito.misura->MC;
    EXPECT_TRUE(Vicino(esito.misura->MC, mc, 1e-6)) << esito.misura->MC;
  }
  EXPECT_TRUE(Vicino(mc, 294, 0.6)) << mc;
}

// With the largest drift, 30° a month, 23:49 UT is 0.9923611 d after 0h UT:
// the longitude at the date is 30 x 0.9923611 / 30.4375 = 0.978097° less than
// the central meridian; at the observed instant the drifting longitude is
// the central meridian again.
TEST(MacchiaDaOsservazione, TheDriftOfTheFieldRefersTheMeasurementToMidnight) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "98,12,30,41,54,69\r\n");
  Coordinate dialogo = Dialogo(cartella);
  dialogo.Text7 = "30";
  dialogo.DataOsservazione = "20/01/2019";
  dialogo.OraOsservazione = "23:49";
  const EsitoMisura esito = dialogo.Misura();
  ASSERT_TRUE(esito.misura);
  const MisuraMacchia& m = *esito.misura;
  EXPECT_EQ(m.deriva, 30);
  EXPECT_EQ(m.data, 20190120);
  EXPECT_TRUE(Vicino(m.L0, m.MC - 0.978097, 0.05)) << m.L0 << " " << m.MC;
  EXPECT_TRUE(Vicino(m.L0 * 10, std::round(m.L0 * 10), 1e-9)) << m.L0;

  const double jdOsservato = Jd20190117 + 3 + (23 + 49 / 60.0) / 24;
  const double L = LongitudineMacchia({m.L0, 30, Jd20190117 + 3}, jdOsservato);
  EXPECT_TRUE(Vicino(L, m.MC, 0.05)) << L;

  // "Usa" puts it into the fields, keeping the drift; the edit is unsaved.
  EXPECT_TRUE(dialogo.UsaMisura());
  char atteso[16];
  std::snprintf(atteso, sizeof atteso, "%g", m.L0);
  EXPECT_EQ(dialogo.Text1, atteso);
  EXPECT_EQ(dialogo.Text7, "30");
  EXPECT_EQ(dialogo.Text8, "20/01/2019");
  EXPECT_TRUE(dialogo.Modificata());
  EXPECT_EQ(dialogo.Stato(), AvvisoMisuraUsata);
  EXPECT_FALSE(dialogo.StatoErrore());
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "98,12,30,41,54,69\r\n");

  // Saved, the file holds the longitude with the drift and the date.
  EXPECT_TRUE(dialogo.Salva_Click().Salvato());
  EXPECT_EQ(cartella.Leggi("Imp.txt"),
            std::string(atteso) + ",12,30,41,54,69,30,20190120\r\n");
}

TEST(MacchiaDaOsservazione, WhatStopsAMeasurement) {
  struct Case {
    const char *data, *ora;
    int scarto;
    const char *deltaT, *deriva;
    ProblemaMisura problema;
    const char* testo;
  };
  const Case cases[] = {
      {"", "06:27", 0, "69", "0", ProblemaMisura::Incompleta, ""},
      {"17/01/2019", " ", 0, "69", "0", ProblemaMisura::Incompleta, ""},
      {"2019-01-17", "06:27", 0, "69", "0", ProblemaMisura::Data,
       "La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"29/02/2019", "06:27", 0, "69", "0", ProblemaMisura::Data,
       "La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"17/01/19", "06:27", 0, "69", "0", ProblemaMisura::Data,
       "La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"31/12/1599", "23:00", 0, "69", "0", ProblemaMisura::Data,
       "La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"17/01/2019", "6h27", 0, "69", "0", ProblemaMisura::Ora,
       "L'ora dell'osservazione deve essere scritta hh:mm oppure hh:mm:ss."},
      {"17/01/2019", "24:00", 0, "69", "0", ProblemaMisura::Ora,
       "L'ora dell'osservazione deve essere scritta hh:mm oppure hh:mm:ss."},
      {"17/01/2019", "06:60", 0, "69", "0", ProblemaMisura::Ora,
       "L'ora dell'osservazione deve essere scritta hh:mm oppure hh:mm:ss."},
      {"17/01/2019", "06:27:5:1", 0, "69", "0", ProblemaMisura::Ora,
       "L'ora dell'osservazione deve essere scritta hh:mm oppure hh:mm:ss."},
      {"01/01/1600", "01:30", 2, "69", "0", ProblemaMisura::FuoriIntervallo,
       "In Tempo Universale l'osservazione cade fuori dagli anni 1600-2999."},
      {"17/01/2019", "06:27", 0, "abc", "0", ProblemaMisura::DeltaT,
       "Per il calcolo serve un Delta T valido (da -10000 a 10000 secondi)."},
      {"17/01/2019", "06:27", 0, "10001", "0", ProblemaMisura::DeltaT,
       "Per il calcolo serve un Delta T valido (da -10000 a 10000 secondi)."},
      {"17/01/2019", "06:27", 0, "69", "30,5", ProblemaMisura::Deriva,
       "Per il calcolo serve una deriva valida (da -30° a 30° al mese)."},
      {"17/01/2019", "06:27", 0, "69", "", ProblemaMisura::Deriva,
       "Per il calcolo serve una deriva valida (da -30° a 30° al mese)."},
      // Accepted: the last second of the range, a decimal comma.
      {"31/12/2999", "23:59:59", 0, "69,5", "-1,5", ProblemaMisura::Nessuno, nullptr},
      {"01/01/1600", "01:30", 1, "69", "0", ProblemaMisura::Nessuno, nullptr},
  };
  CartellaTemp cartella;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.data) + " " + c.ora + " " + c.deltaT + " " + c.deriva);
    Coordinate dialogo = Dialogo(cartella);
    dialogo.DataOsservazione = c.data;
    dialogo.OraOsservazione = c.ora;
    dialogo.ScartoOsservazione = c.scarto;
    dialogo.Text6 = c.deltaT;
    dialogo.Text7 = c.deriva;
    const EsitoMisura esito = dialogo.Misura();
    EXPECT_EQ(esito.problema, c.problema);
    EXPECT_EQ(esito.misura.has_value(), c.problema == ProblemaMisura::Nessuno);
    if (c.testo) {
      EXPECT_EQ(TestoMisura(esito), c.testo);
      const std::string prima = dialogo.Text1;
      EXPECT_FALSE(dialogo.UsaMisura());
      EXPECT_EQ(dialogo.Text1, prima);
    }
  }
}

TEST(MacchiaDaOsservazione, TheTextShowsTheMeasurementAndWhatWouldBeStored) {
  struct Case {
    MisuraMacchia m;
    const char* testo;
  };
  const Case cases[] = {
      {{{2019, 1, 17, 6, 27, 0}, 294.2649, 1.5, 294.3, 20190117},
       "Meridiano centrale (II) il 17/01/2019 alle 06:27 TU: 294.3°.\n"
       "Da memorizzare: longitudine 294.3° al 17/01/2019 (0h TU),\n"
       "con la deriva di 1.5° al mese."},
      {{{2019, 1, 20, 23, 49, 7}, 0.04, 0, 0, 20190120},
       "Meridiano centrale (II) il 20/01/2019 alle 23:49:07 TU: 0.0°.\n"
       "Da memorizzare: longitudine 0.0°, senza deriva."},
      {{{2026, 3, 1, 0, 5, 0}, 359.96, -0.25, 0, 20260301},
       "Meridiano centrale (II) il 01/03/2026 alle 00:05 TU: 0.0°.\n"
       "Da memorizzare: longitudine 0.0° al 01/03/2026 (0h TU),\n"
       "con la deriva di -0.25° al mese."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(TestoMisura({ProblemaMisura::Nessuno, c.m}), c.testo);
  }
}

// The drift and the date are checked as the other fields: a number within
// ±30° a month (decimal comma read as a point), a real date GG/MM/AAAA from
// 1600 to 2999, needed when the drift is not 0.
TEST(MacchiaDaOsservazione, SaveChecksTheDriftAndTheDate) {
  struct Case {
    const char *deriva, *data;
    ErroreCampo errore;
    const char* messaggio;
  };
  const Case cases[] = {
      {"abc", "01/03/2026", {7, MotivoCampo::NonNumero},
       "Non salvato: la deriva della Macchia Rossa deve essere un numero."},
      {"", "", {7, MotivoCampo::NonNumero},
       "Non salvato: la deriva della Macchia Rossa deve essere un numero."},
      {"30,5", "01/03/2026", {7, MotivoCampo::FuoriIntervallo},
       "Non salvato: la deriva della Macchia Rossa deve essere da -30° a 30° al mese."},
      {"-31", "01/03/2026", {7, MotivoCampo::FuoriIntervallo},
       "Non salvato: la deriva della Macchia Rossa deve essere da -30° a 30° al mese."},
      {"1.5", "2026-03-01", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"1.5", "20260301", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"1.5", "29/02/2026", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"1.5", "01/03/26", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"1.5", "01/01/3000", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"0", "1/3/2026 ieri", {8, MotivoCampo::NonData},
       "Non salvato: la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999."},
      {"1.5", "", {8, MotivoCampo::SenzaData},
       "Non salvato: con una deriva diversa da 0 serve la data di riferimento (GG/MM/AAAA)."},
      {"-0.01", "  ", {8, MotivoCampo::SenzaData},
       "Non salvato: con una deriva diversa da 0 serve la data di riferimento (GG/MM/AAAA)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.deriva) + " / " + c.data);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
    Coordinate dialogo = Dialogo(cartella);
    dialogo.Text7 = c.deriva;
    dialogo.Text8 = c.data;
    const EsitoSalva esito = dialogo.Salva_Click();
    EXPECT_EQ(esito.campo, c.errore);
    EXPECT_EQ(TestoEsito(esito), c.messaggio);
    EXPECT_EQ(dialogo.Stato(), c.messaggio);
    EXPECT_TRUE(dialogo.StatoErrore());
    EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
    EXPECT_TRUE(dialogo.Modificata());
  }
}

// A drift of 0 writes the six values alone, byte for byte as without the
// two fields; another drift writes eight. The fields then show what the file
// holds, and a new load shows it again.
TEST(MacchiaDaOsservazione, SaveWritesSixOrEightValues) {
  struct Case {
    const char *deriva, *data;
    const char* byte;
    const char *derivaMostrata, *dataMostrata;
  };
  const Case cases[] = {
      {"0", "", "98,12,30,41,54,69\r\n", "0", ""},
      {"-0", "", "98,12,30,41,54,69\r\n", "0", ""},
      {"0", "01/03/2026", "98,12,30,41,54,69\r\n", "0", ""},
      {"1,5", "01/03/2026", "98,12,30,41,54,69,1.5,20260301\r\n", "1.5", "01/03/2026"},
      {"-0.25", " 1/1/1600", "98,12,30,41,54,69,-0.25,16000101\r\n", "-0.25", "01/01/1600"},
      {"30 °/mese", "31.12.2999", "98,12,30,41,54,69,30,29991231\r\n", "30", "31/12/2999"},
      {"1.5", "29/02/2024", "98,12,30,41,54,69,1.5,20240229\r\n", "1.5", "29/02/2024"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    Coordinate dialogo = Dialogo(cartella);
    dialogo.Text7 = c.deriva;
    dialogo.Text8 = c.data;
    const EsitoSalva esito = dialogo.Salva_Click();
    EXPECT_TRUE(esito.Salvato()) << TestoEsito(esito);
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);
    EXPECT_EQ(dialogo.Text7, c.derivaMostrata);
    EXPECT_EQ(dialogo.Text8, c.dataMostrata);
    EXPECT_FALSE(dialogo.Modificata());

    Coordinate riaperto = Dialogo(cartella);
    EXPECT_EQ(riaperto.Problema, "");
    EXPECT_EQ(riaperto.Text7, c.derivaMostrata);
    EXPECT_EQ(riaperto.Text8, c.dataMostrata);
  }
}

// The longitude a computation will use at an instant, from the three fields
// as they stand, to 0.1°: L0 + drift x months since the date.
TEST(MacchiaDaOsservazione, TheLongitudeAtAnInstantFollowsTheFields) {
  struct Case {
    const char *L0, *deriva, *data;
    double jdUT;
    std::optional<double> atteso;
  };
  constexpr double mese = 30.4375;
  const Case cases[] = {
      {"294", "1.5", "01/03/2026", Jd20260301 + mese, 295.5},
      {"294", "1,5", "1/3/2026", Jd20260301 + 2.5 * mese, 297.8},  // 297.75, half up
      {"1", "1.5", "01/03/2026", Jd20260301 - 2 * mese, 358},
      {"359", "-2", "01/03/2026", Jd20260301 - mese / 2, 0},
      {"98", "0", "", Jd20260301 + 1000, 98},
      {"359.96", "0", "", Jd20260301, 0},
      {"12.34", "0", "01/03/2026", Jd20260301 + 5000, 12.3},
      {"abc", "0", "", Jd20260301, std::nullopt},
      {"360", "0", "", Jd20260301, std::nullopt},
      {"294", "1.5", "", Jd20260301, std::nullopt},
      {"294", "31", "01/03/2026", Jd20260301, std::nullopt},
      {"294", "1.5", "31/02/2026", Jd20260301, std::nullopt},
      {"294", "1.5", "01/03/2026", NAN, std::nullopt},
  };
  CartellaTemp cartella;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.L0) + " " + c.deriva + " " + c.data);
    Coordinate dialogo = Dialogo(cartella);
    dialogo.Text1 = c.L0;
    dialogo.Text7 = c.deriva;
    dialogo.Text8 = c.data;
    dialogo.Text6 = "not needed";
    const std::optional<double> L = dialogo.LongitudineMacchiaAl(c.jdUT);
    ASSERT_EQ(L.has_value(), c.atteso.has_value());
    if (L) {
      EXPECT_TRUE(Vicino(*L, *c.atteso, 1e-9)) << *L;
    }
  }
}

// Unsaved edits include the drift and the date; the observation's fields
// are not part of the file.
TEST(MacchiaDaOsservazione, EditsIncludeTheDriftAndTheDate) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "98,12,30,41,54,69,1.5,20260301\r\n");
  Coordinate dialogo = Dialogo(cartella);
  EXPECT_FALSE(dialogo.Modificata());
  dialogo.DataOsservazione = "17/01/2019";
  dialogo.OraOsservazione = "06:27";
  dialogo.ScartoOsservazione = 2;
  EXPECT_FALSE(dialogo.Modificata());
  dialogo.Text7 = "2";
  EXPECT_TRUE(dialogo.Modificata());
  dialogo.Text7 = "1.5";
  dialogo.Text8 = "02/03/2026";
  EXPECT_TRUE(dialogo.Modificata());
  EXPECT_EQ(dialogo.OK_Click(Risposta::Si)->Salvato(), true);
  EXPECT_FALSE(dialogo.Aperta);
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "98,12,30,41,54,69,1.5,20260302\r\n");
}

}  // namespace
}  // namespace mr
