#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/solepianeta.h"

namespace mr {
namespace {

constexpr double gradi = 180 / 3.14159265;

// Julian Days of dates from the standard tables (Meeus, Astronomical
// Algorithms, ch. 7), entered through the fields in one of the three zones.
TEST(IstanteGiuliano, DateNote) {
  struct Case {
    const char* nome;
    double giorno, mese, anno, ore, minuti;
    float scarto;
    double JD;
  };
  const Case cases[] = {
      {"J2000.0", 1, 1, 2000, 12, 0, -1, 2451545.0},
      {"J2000.0 in mean time", 1, 1, 2000, 13, 0, 0, 2451545.0},
      {"J2000.0 in summer time", 1, 1, 2000, 14, 0, 1, 2451545.0},
      {"1999 Jan 1.0", 1, 1, 1999, 0, 0, -1, 2451179.5},
      {"1987 Jun 19.5", 19, 6, 1987, 12, 0, -1, 2446966.0},
      {"1988 Jan 27.0", 27, 1, 1988, 0, 0, -1, 2447187.5},
      {"1600 Jan 1.0", 1, 1, 1600, 0, 0, -1, 2305447.5},
      {"1600 Dec 31.0", 31, 12, 1600, 0, 0, -1, 2305812.5},
      // Before 1582 the Julian calendar.
      {"837 Apr 10.3 (Julian)", 10, 4, 837, 7, 12, -1, 2026871.8},
      // Summer time at 0h is 22h UT of the day before.
      {"2 Jan 2000 0h summer time", 2, 1, 2000, 0, 0, 1, 2451545.0 + 10.0 / 24},
      // Day 0 is the last day of the month before.
      {"0 Mar 2000 = 29 Feb", 0, 3, 2000, 12, 0, -1, 2451604.0},
      {"0 Jan 2000 = 31 Dec 1999", 0, 1, 2000, 12, 0, -1, 2451544.0},
      // Minutes beyond 59 move the hour on.
      {"90 minutes", 1, 1, 2000, 10, 90, -1, 2451544.5 + 11.5 / 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    Istante I = IstanteGiuliano(c.giorno, c.mese, c.anno, c.ore, c.minuti, c.scarto);
    EXPECT_NEAR(I.J + I.F, c.JD, 1e-6);
    EXPECT_EQ(I.J, std::floor(I.J));
    EXPECT_GE(I.F, 0);
    EXPECT_LT(I.F, 1);
  }
}

TEST(IstanteGiuliano, CampiDellIstante) {
  // Summer time, 0h on 2 January 2000: the UT hour is -2 and is not normalised.
  Istante I = IstanteGiuliano(2, 1, 2000, 0, 30, 1);
  EXPECT_EQ(I.oraUT, -2);
  EXPECT_NEAR(I.D, 2 - 2.0 / 24 + 30.0 / 1440, 1e-12);
  EXPECT_EQ(I.mese, 1);
  EXPECT_EQ(I.anno, 2000);
  EXPECT_EQ(I.minuti, 30);
  EXPECT_EQ(I.J, 2451545);  // 22h UT is after noon
}

TEST(IstanteGiuliano, CalendarioGiulianoFinoAl1581) {
  // 1581 is read in the Julian calendar, 1582 in the Gregorian one, which
  // then ran 10 days ahead.
  Istante giuliano = IstanteGiuliano(1, 3, 1581, 12, 0, -1);
  Istante gregoriano = IstanteGiuliano(1, 3, 1582, 12, 0, -1);
  EXPECT_NEAR((gregoriano.J + gregoriano.F) - (giuliano.J + giuliano.F), 365 - 10, 1e-9);
}

TEST(PosizioniSolePianeta, J2000) {
  // 2000 January 1, 12h UT, Delta T 0.
  Istante I = IstanteGiuliano(1, 1, 2000, 12, 0, -1);
  EXPECT_EQ(I.J, 2451545);
  EXPECT_EQ(I.F, 0);
  double d = (I.J - 2451545) + I.F;
  EXPECT_EQ(d, 0);
  SolePianeta p = PosizioniSolePianeta(d);
  EXPECT_NEAR(p.T, 1, 1e-15);
  EXPECT_NEAR(p.Delta, 4.6209, 0.00005);
  EXPECT_NEAR(p.alfa * gradi, 23.879, 0.0005);
  EXPECT_NEAR(p.delta * gradi, 8.5945, 0.00005);
  // Obliquity 23 deg 27' 08" at 1900, 47" less a century later.
  EXPECT_NEAR(p.epsilon * gradi, 23 + 26 / 60.0 + 21 / 3600.0, 5e-5);
  EXPECT_NEAR(p.R, 0.9833, 0.0002);  // near perihelion
}

// Over the range the program accepts, every result is finite and in range.
TEST(PosizioniSolePianeta, SpazzataDiDate) {
  const double inizio = 2305447.5 - 2451545;  // 1600
  const double fine = 2816787.5 - 2451545;    // 3000
  const double pi = 3.14159265;
  for (double d = inizio; d < fine; d += 13.7) {
    SolePianeta p = PosizioniSolePianeta(d);
    SCOPED_TRACE(d);
    ASSERT_TRUE(std::isfinite(p.lambdaS) && std::isfinite(p.l) && std::isfinite(p.b) &&
                std::isfinite(p.lambda) && std::isfinite(p.beta) && std::isfinite(p.epsilon));
    ASSERT_TRUE(p.R > 0.98 && p.R < 1.02) << p.R;
    ASSERT_TRUE(p.r > 4.9 && p.r < 5.5) << p.r;
    ASSERT_TRUE(p.Delta > 3.9 && p.Delta < 6.5) << p.Delta;
    ASSERT_TRUE(p.alfa >= -pi / 2 && p.alfa <= 3 * pi / 2) << p.alfa;
    ASSERT_TRUE(std::fabs(p.delta) < 24 / gradi) << p.delta;
    ASSERT_TRUE(std::fabs(p.beta) < 2 / gradi) << p.beta;
  }
}

}  // namespace
}  // namespace mr
