#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/calendario.h"
#include "pianificatore/fuso_orario.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace mr {
namespace {

double Ut(int a, int m, int g, int ore, int minuti, int secondi = 0) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

// Central European rules: summer time from 01:00 UT on the last Sunday of
// March to 01:00 UT on the last Sunday of October, 28 March and 31 October in
// 2027. The US rules: from 2 a.m. local on the second Sunday of March (14 March
// 2027) to 2 a.m. on the first Sunday of November (7 November 2027).
TEST(FusoOrario, OraLegaleSecondoLeRegoleDellaZona) {
  struct Case {
    const char* zona;
    double jdUT;
    OraLocale attesa;
  };
  const Case cases[] = {
      {"Europe/Rome", Ut(2027, 3, 28, 0, 59, 59), {2027, 3, 28, 1, 59, 59, "CET", 3600}},
      {"Europe/Rome", Ut(2027, 3, 28, 1, 0), {2027, 3, 28, 3, 0, 0, "CEST", 7200}},
      {"Europe/Rome", Ut(2027, 10, 31, 0, 59), {2027, 10, 31, 2, 59, 0, "CEST", 7200}},
      {"Europe/Rome", Ut(2027, 10, 31, 1, 0), {2027, 10, 31, 2, 0, 0, "CET", 3600}},
      {"Europe/Rome", Ut(2027, 2, 12, 20, 14), {2027, 2, 12, 21, 14, 0, "CET", 3600}},
      {"Europe/Rome", Ut(2027, 12, 31, 23, 30), {2028, 1, 1, 0, 30, 0, "CET", 3600}},
      {"America/New_York", Ut(2027, 3, 14, 6, 59), {2027, 3, 14, 1, 59, 0, "EST", -18000}},
      {"America/New_York", Ut(2027, 3, 14, 7, 0), {2027, 3, 14, 3, 0, 0, "EDT", -14400}},
      {"America/New_York", Ut(2027, 11, 7, 6, 0), {2027, 11, 7, 1, 0, 0, "EST", -18000}},
      {"UTC", Ut(2027, 6, 1, 12, 0, 30), {2027, 6, 1, 12, 0, 30, "UTC", 0}},
  };
  for (const auto& c : cases) {
    FusoQt fuso(c.zona);
    ASSERT_TRUE(fuso.Valido()) << c.zona;
    EXPECT_EQ(fuso.Nome(), c.zona);
    EXPECT_EQ(fuso.Locale(c.jdUT), c.attesa) << c.zona << " " << c.jdUT;
  }
}

TEST(FusoOrario, ZonaSconosciutaEIstantiFuoriIntervallo) {
  FusoQt ignota("Europe/Atlantide");
  EXPECT_FALSE(ignota.Valido());
  EXPECT_FALSE(ignota.Locale(Ut(2027, 1, 1, 0, 0)));
  FusoQt roma("Europe/Rome");
  EXPECT_FALSE(roma.Locale(NAN));
  EXPECT_FALSE(roma.Locale(Ut(3000, 1, 1, 0, 0)));
  EXPECT_FALSE(roma.Locale(Ut(1599, 12, 31, 23, 0)));
  EXPECT_TRUE(roma.Locale(Ut(1600, 1, 1, 0, 0)));
  EXPECT_EQ(TestoOraLocale(ignota, Ut(2027, 1, 1, 0, 0)), "");
}

// A zone is a name of the IANA database (links and the old names included) or
// a fixed offset from UT; a word that only reads as a POSIX rule ("Roma" would
// be UT+0 under the abbreviation "Roma") is none.
TEST(FusoOrario, SoloINomiDelDatabase) {
  struct Case {
    const char* nome;
    bool valido;
  };
  const Case cases[] = {
      {"Europe/Rome", true},  {"Etc/UTC", true},    {"CET", true},
      {"Etc/GMT+12", true},   {"Asia/Calcutta", true}, {"UTC+05:30", true},
      {"Roma", false},        {"Rome", false},      {"AAAA", false},
      {"CET-1CEST,M3.5.0,M10.5.0/3", false},        {"<+0530>-5:30", false},
      {"Europe/Rome,x", false}, {"../zoneinfo/Europe/Rome", false},
      {"/usr/share/zoneinfo/Europe/Rome", false},   {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(FusoQt(c.nome).Valido(), c.valido) << c.nome;
  EXPECT_FALSE(FusoQt(std::string(300, 'A')).Valido());
  EXPECT_TRUE(FusoQt(NomeFusoDelSistema()).Valido());
}

TEST(FusoOrario, TestoAlMinutoPiuVicino) {
  FusoQt roma("Europe/Rome");
  EXPECT_EQ(TestoOraLocale(roma, Ut(2027, 2, 12, 20, 14, 29)), "12/02/2027 21:14 CET");
  EXPECT_EQ(TestoOraLocale(roma, Ut(2027, 2, 12, 20, 14, 31)), "12/02/2027 21:15 CET");
  // 00:59:40 UT rounds to 01:00 UT, the first minute of summer time.
  EXPECT_EQ(TestoOraLocale(roma, Ut(2027, 3, 28, 0, 59, 40)), "28/03/2027 03:00 CEST");
  EXPECT_EQ(TestoOraLocale(FusoFisso("Prova", "", 0), Ut(2027, 7, 1, 23, 59, 45)),
            "02/07/2027 00:00");
  EXPECT_EQ(MinutoPiuVicino(Ut(2027, 7, 1, 10, 0, 29.0)), Ut(2027, 7, 1, 10, 0));
}

// Noon on the day the clocks change is 11:00 UT before the change (CET) and
// 10:00 UT after it (CEST): that night lasts 23 hours.
TEST(FusoOrario, IstanteLocale) {
  FusoQt roma("Europe/Rome");
  struct Case {
    int a, m, g;
    double ora;
    double atteso;
  };
  const Case cases[] = {
      {2027, 3, 27, 12, Ut(2027, 3, 27, 11, 0)},  {2027, 3, 28, 12, Ut(2027, 3, 28, 10, 0)},
      {2027, 10, 30, 12, Ut(2027, 10, 30, 10, 0)}, {2027, 10, 31, 12, Ut(2027, 10, 31, 11, 0)},
      {2027, 2, 12, 21.5, Ut(2027, 2, 12, 20, 30)},
  };
  for (const auto& c : cases) {
    std::optional<double> jd = IstanteLocale(roma, c.a, c.m, c.g, c.ora);
    ASSERT_TRUE(jd);
    EXPECT_NEAR(*jd, c.atteso, 1e-8) << c.g << "/" << c.m;
  }
  EXPECT_FALSE(IstanteLocale(FusoQt("Europe/Atlantide"), 2027, 3, 27, 12));
}

}  // namespace
}  // namespace mr
