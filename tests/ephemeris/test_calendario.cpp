#include <gtest/gtest.h>

#include "ephemeris/calendario.h"

namespace mr {
namespace {

TEST(GiornoGiuliano, ReferenceDates) {
  struct Case {
    double giorno, mese, anno, ora, minuti, JD;
  } cases[] = {
      {1, 1, 2000, 12, 0, 2451545.0},  {1, 1, 2000, 0, 0, 2451544.5},
      {28, 2, 2005, 0, 0, 2453429.5},  {1, 3, 2005, 0, 0, 2453430.5},
      {28, 2, 2004, 0, 0, 2453063.5},  {1, 3, 2004, 0, 0, 2453065.5},
      {31, 12, 1999, 0, 0, 2451543.5}, {1, 1, 2000, -2, 0, 2451544.5 - 2.0 / 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.JD);
    EXPECT_DOUBLE_EQ(GiornoGiuliano(c.giorno, c.mese, c.anno, c.ora, c.minuti), c.JD);
  }
}

// TEMPOM is given the UT day with its fraction and the UT hour and minute as
// entered, as the main computation builds them from the fields.
DataCivile Normalizza(double giorno, double mese, double anno, double ore, double minuti,
                      float scarto, double passi = 0) {
  double h = ore - 1 - scarto;
  double D = giorno + h / 24 + minuti / 1440;
  return TEMPOM(passi, D, mese, anno, h, minuti, scarto);
}

TEST(TEMPOM, NormalisesTheFields) {
  struct Case {
    const char* nome;
    double giorno, mese, anno, ore, minuti;
    float scarto;
    DataCivile atteso;
  } cases[] = {
      {"minute -1 at midnight", 1, 3, 2000, 0, -1, 0, {29, 2, 2000, 23, 59}},
      {"minute 60 at year end", 31, 12, 1999, 23, 60, 1, {1, 1, 2000, 0, 0}},
      {"31 April", 31, 4, 2004, 10, 0, 0, {1, 5, 2004, 10, 0}},
      {"hour 30", 1, 3, 2004, 30, 15, 0, {2, 3, 2004, 6, 15}},
      {"day 0", 0, 3, 2004, 12, 0, 0, {29, 2, 2004, 12, 0}},
      {"day 32", 32, 12, 2004, 12, 0, 0, {1, 1, 2005, 12, 0}},
      {"Universal Time", 1, 1, 2000, 12, 0, -1, {1, 1, 2000, 12, 0}},
      {"summer time midnight", 1, 7, 2005, 0, 5, 1, {1, 7, 2005, 0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    DataCivile d = Normalizza(c.giorno, c.mese, c.anno, c.ore, c.minuti, c.scarto);
    EXPECT_EQ(d.giorno, c.atteso.giorno);
    EXPECT_EQ(d.mese, c.atteso.mese);
    EXPECT_EQ(d.anno, c.atteso.anno);
    EXPECT_EQ(d.ore, c.atteso.ore);
    EXPECT_EQ(d.minuti, c.atteso.minuti);
  }
}

TEST(TEMPOM, MinuteThatRoundsToSixtyIsClamped) {
  // H = 10.9999 h: 59.994 minutes round to 60 and show as 59 of the same hour.
  double mese = 5, anno = 2004;
  DataCivile d = TEMPOM(0, 10, mese, anno, 9, 59.994, 0);
  EXPECT_EQ(d.ore, 10);
  EXPECT_EQ(d.minuti, 59);
}

TEST(TEMPOM, StepCountMovesOnlyTheClock) {
  // 100 animation steps from 10:00 are 13 h 47.3 min; the date follows the day input only.
  DataCivile d = Normalizza(15, 3, 2004, 10, 0, 0, 100);
  EXPECT_EQ(d.giorno, 15);
  EXPECT_EQ(d.ore, 23);
  EXPECT_EQ(d.minuti, 47);
}

TEST(TEMPOM, AbsurdHoursDoNotHang) {
  double mese = 1, anno = 2000;
  DataCivile d = TEMPOM(0, 1, mese, anno, 1e15, 0, 0);
  EXPECT_GE(d.ore, 0);
  EXPECT_LT(d.ore, 24);
  mese = 1;
  anno = 2000;
  d = TEMPOM(0, 1, mese, anno, -1e15, -1e12, 0);
  EXPECT_GE(d.ore, 0);
  EXPECT_LT(d.ore, 24);
}

TEST(IstanteAmmesso, From1600To2999) {
  EXPECT_TRUE(IstanteAmmesso(GiornoGiuliano(1, 1, 1600)));
  EXPECT_FALSE(IstanteAmmesso(GiornoGiuliano(31, 12, 1599, 23, 59)));
  EXPECT_TRUE(IstanteAmmesso(GiornoGiuliano(31, 12, 2999, 23, 59)));
  EXPECT_FALSE(IstanteAmmesso(GiornoGiuliano(1, 1, 3000)));
}

}  // namespace
}  // namespace mr
