// Jupiter's distance and apparent diameter, and the angle helpers shared by
// the visibility routines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ephemeris/orbita.h"

namespace mr {
namespace {

TEST(GiornoGiulianoZero, DateAt0hIncludingTheJanuaryFebruaryShift) {
  struct Case {
    double giorno, mese, anno, JD;
  };
  const Case cases[] = {
      {28, 2, 2001, 2451968.5}, {1, 3, 2001, 2451969.5},  {29, 2, 2004, 2453064.5},
      {1, 3, 2004, 2453065.5},  {31, 12, 1999, 2451543.5}, {1, 1, 2000, 2451544.5},
      {15, 6, 2005, 2453536.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.giorno) + "/" + std::to_string(c.mese) + "/" +
                 std::to_string(c.anno));
    EXPECT_EQ(GiornoGiulianoZero(c.giorno, c.mese, c.anno), c.JD);
  }
}

TEST(CalcolaOrbitaGiove, FirstOfJanuary2000) {
  double T = (GiornoGiulianoZero(1, 1, 2000) - 2415020) / 36525;
  EXPECT_NEAR(T, 0.99998631, 5e-9);
  OrbitaGiove o = CalcolaOrbitaGiove(T);
  EXPECT_NEAR(o.Delta, 4.6137, 5e-5);
  EXPECT_NEAR(o.R, 0.9833, 0.0005);  // near perihelion in early January
  EXPECT_NEAR(o.r, 4.97, 0.02);
  EXPECT_NEAR(std::sin(o.b), o.sinb, 1e-15);
}

TEST(DiametroApparente, ReferenceDates) {
  struct Case {
    double giorno, mese, anno;
    double Delta, d;
    const char* testo;
  };
  const Case cases[] = {
      {1, 1, 2000, 4.6137, 42.6856, " 42.7"},
      {15, 6, 2005, 5.1016, 38.6032, " 38.6"},
      {24, 11, 2004, 6.0320, 32.6494, " 32.6"},
      {4, 4, 2004, 4.5665, 43.1272, " 43.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.testo);
    double T = (GiornoGiulianoZero(c.giorno, c.mese, c.anno) - 2415020) / 36525;
    EXPECT_NEAR(CalcolaOrbitaGiove(T).Delta, c.Delta, 5e-5);
    double d = DiametroApparente(c.giorno, c.mese, c.anno);
    EXPECT_NEAR(d, c.d, 5e-5);
    EXPECT_EQ(TestoDiametro(d), c.testo);
  }
}

TEST(TestoDiametro, TenthsHalfToEvenAndPrintForm) {
  struct Case {
    double d;
    const char* testo;
  };
  const Case cases[] = {
      {45, " 45"}, {44.96, " 45"}, {42.25, " 42.2"}, {42.35, " 42.4"}, {33.04, " 33"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.d);
    EXPECT_EQ(TestoDiametro(c.d), c.testo);
  }
}

TEST(DiametroApparente, FiniteAndPlausibleOverTheWholeRange) {
  for (double anno = 1600; anno < 3000; anno += 7) {
    for (double mese = 1; mese <= 12; mese += 1) {
      double d = DiametroApparente(1 + std::fmod(anno + mese * 3, 28), mese, anno);
      ASSERT_TRUE(d > 29 && d < 51) << anno << "/" << mese << " d=" << d;
    }
  }
}

// The arcsine of the visibility routines, with their pi.
TEST(ArcoSeno, ZenithAndRoundingBeyondOneGiveAQuarterTurn) {
  const double pi = 3.141592654, quarto = 3.141592654 / 2;
  EXPECT_EQ(ArcoSeno(1, pi), quarto);
  EXPECT_EQ(ArcoSeno(-1, pi), -quarto);
  EXPECT_EQ(ArcoSeno(1 + 1e-15, pi), quarto);
  EXPECT_EQ(ArcoSeno(-1 - 1e-15, pi), -quarto);
  EXPECT_EQ(Gradi(ArcoSeno(1, pi)), 90);
  EXPECT_NEAR(ArcoSeno(0.5, pi), std::asin(0.5), 1e-15);
  EXPECT_NEAR(ArcoSeno(-0.3, pi), std::asin(-0.3), 1e-15);
  EXPECT_EQ(ArcoSeno(0, pi), 0);
}

TEST(ArcoTangenteQ, QuadrantsAndZeroComponents) {
  struct Case {
    double y, x, atteso;
  };
  const double pi = std::acos(-1.0);
  const Case cases[] = {
      {1, 1, std::atan(1.0)},
      {1, -1, std::atan(-1.0) + 3.141592654},
      {-1, -1, std::atan(1.0) + 3.141592654},
      {-1, 1, std::atan(-1.0) + 6.283185308},
      // A zero component: the two-argument arctangent in [0, 2 pi).
      {0, 1, 0},
      {0, -1, pi},
      {1, 0, pi / 2},
      {-1, 0, -pi / 2 + 6.283185308},
      {0, 0, 0},
      {-0.0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + ", " + std::to_string(c.x));
    double a = ArcoTangenteQ(c.y, c.x);
    EXPECT_NEAR(a, c.atteso, 1e-15);
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 6.283185308);
  }
}

TEST(AngoloSidereo, GreenwichAt0hAndLater) {
  double T = (GiornoGiulianoZero(15, 3, 2004) - 2415020) / 36525;
  EXPECT_NEAR(AngoloSidereo(T, 0), 172.936, 0.0005);
  // 11h of Universal Time (12:00 of the mean time of the zone).
  EXPECT_NEAR(AngoloSidereo(T, 11), 338.388, 0.0005);
  // Hours before 0h or past a day are not reduced first; the angle still is.
  double a = AngoloSidereo(T, -30);
  EXPECT_TRUE(a >= 0 && a < 360) << a;
}

}  // namespace
}  // namespace mr
