#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/meridiano.h"
#include "ephemeris/solepianeta.h"

namespace mr {
namespace {

constexpr double gradi = 180 / 3.14159265;

// The chain from the fields to the central meridian, as the window runs it.
MeridianoIstante Calcola(double giorno, double mese, double anno, double ore, double minuti,
                         float scarto, double deltaT) {
  return MeridianoDellIstante(IstanteGiuliano(giorno, mese, anno, ore, minuti, scarto), deltaT);
}

TEST(MeridianoCentrale, J2000) {
  MeridianoIstante m = Calcola(1, 1, 2000, 12, 0, -1, 0);
  EXPECT_EQ(m.d, 0);
  EXPECT_EQ(m.Tp, 0);
  EXPECT_NEAR(m.xi, 206.984, 0.0005);
  // With xi = 0 the result is the rotation angle W itself, to 0.01.
  EXPECT_NEAR(MeridianoCentrale(m.d, m.Delta, m.Tp, 0), 20.07, 1e-9);
  EXPECT_NEAR(m.omega, 173.09, 1e-9);
  EXPECT_EQ(TestoMC(m.omega), "173.1");
  PosizioneMacchia g = PosizioneDellaMacchia(m.omega, 0);
  EXPECT_NEAR(g.a, 276.91, 1e-9);
}

TEST(MeridianoCentrale, OraMediaConDeltaT) {
  // 13h Central European time, Delta T 64 s, GRS at 80.
  MeridianoIstante m = Calcola(1, 1, 2000, 13, 0, 0, 64);
  EXPECT_NEAR(m.d, 0.00074074, 5e-9);
  EXPECT_NEAR(m.omega, 173.73, 1e-9);
  EXPECT_NEAR(PosizioneDellaMacchia(m.omega, 80).a, 356.27, 1e-9);
}

TEST(MeridianoCentrale, RiduzioneEArrotondamento) {
  // W = 43.3 when d, Delta and T' are 0, so xi picks omega.
  struct Case {
    double d, xi, omega;
  };
  const Case cases[] = {
      {0, 43.3, 0},
      {0, 43.3 - 100.004, 100},
      {0, 43.3 - 100.006, 100.01},
      {0, 43.3 + 0.006, 359.99},
      {0, 43.3 + 0.004, 360},  // from 359.995 up the rounding gives 360
      {-1000.5, 0, 0},  // far in the past: still in [0, 360]
      {123456.789, -90, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "d " << c.d << " xi " << c.xi);
    double omega = MeridianoCentrale(c.d, 0, 0, c.xi);
    if (c.d == 0) {
      EXPECT_NEAR(omega, c.omega, 1e-9);
    } else {
      EXPECT_TRUE(omega >= 0 && omega <= 360) << omega;
      EXPECT_NEAR(omega * 100, std::round(omega * 100), 1e-6);
    }
  }
}

TEST(MeridianoCentrale, ProgressoDiUnGiorno) {
  // System II turns 870.27 deg a day: one day later, 150.27 deg further on.
  MeridianoIstante oggi = Calcola(10, 5, 2010, 12, 0, -1, 0);
  MeridianoIstante domani = Calcola(11, 5, 2010, 12, 0, -1, 0);
  double passo = std::fmod(domani.omega - oggi.omega + 720, 360);
  EXPECT_NEAR(passo, 150.27, 0.5);
}

TEST(Xi, SulCerchioOrarioDelPolo) {
  // Jupiter on the hour circle of its pole: N2 is exactly 0. xi takes the
  // limit, which joins the values on either side.
  double alfa0 = (268.05 / 360 - std::floor(268.05 / 360)) * 360 * (3.14159265 / 180);
  EXPECT_EQ(Xi(0, alfa0, 0.15), 90);
  EXPECT_NEAR(Xi(0, alfa0 + 1e-9, 0.15), 90, 1e-5);
  EXPECT_NEAR(Xi(0, alfa0 - 1e-9, 0.15), 90, 1e-5);
  // North of the pole's declination the numerator turns negative.
  EXPECT_EQ(Xi(0, alfa0, 1.2), -90);
}

TEST(Xi, Intervallo) {
  for (double alfa = -1.5; alfa < 4.7; alfa += 0.05)
    for (double delta = -0.4; delta <= 0.4; delta += 0.1) {
      double xi = Xi(0.3, alfa, delta);
      EXPECT_TRUE(xi >= -90 && xi <= 270) << alfa << " " << delta << " " << xi;
    }
}

TEST(TestoMC, DecimiSenzaZeri) {
  struct Case {
    double omega;
    const char* testo;
  };
  const Case cases[] = {
      {173.09, "173.1"}, {57.0, "57"},  {0, "0"},     {359.99, "360"},
      {12.34, "12.3"},   {0.25, "0.2"},  // a tie goes to the even tenth
      {0.15, "0.2"},     {100.04, "100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.omega);
    EXPECT_EQ(TestoMC(c.omega), c.testo);
  }
}

TEST(PosizioneDellaMacchia, Tabella) {
  struct Case {
    const char* nome;
    double omega, L, a, q;
  };
  const Case cases[] = {
      {"on the central meridian", 0, 0, 90, 0.53},
      {"transit at 120", 120, 120, 90, 0.53},
      {"J2000, behind the disk", 173.09, 0, 276.91, 0.533878},
      {"beyond the limb", 173.73, 80, 356.27, 8.146977},
      {"past the meridian", 100, 40, 30, 1.06},
      {"L = 360 is L = 0", 0, 360, 90, 0.53},
      {"negative L reduced first", 10, -10, 70, 0.564014},
      {"above 360 after the aspect", 10, 350, 70, 0.564014},
      {"a = 360 is kept", 0, 270, 360, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    PosizioneMacchia g = PosizioneDellaMacchia(c.omega, c.L);
    EXPECT_NEAR(g.a, c.a, 1e-9);
    if (c.q > 0) {
      EXPECT_NEAR(g.q, c.q, 5e-6);
    }
    EXPECT_TRUE(std::isfinite(g.q) && g.q > 0) << g.q;
  }
}

TEST(PosizioneDellaMacchia, SulBordo) {
  // a = 0 exactly on the limb is moved off it, so the aspect stays finite.
  struct Case {
    double omega, L;
  };
  const Case cases[] = {{90, 0}, {360, -90}, {360, 270}, {100, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.omega << " " << c.L);
    PosizioneMacchia g = PosizioneDellaMacchia(c.omega, c.L);
    EXPECT_EQ(g.a, 0.000001);
    EXPECT_TRUE(std::isfinite(g.q) && g.q > 1e7) << g.q;
  }
}

TEST(PosizioneDellaMacchia, SempreFinita) {
  for (double omega = 0; omega <= 360; omega += 0.25)
    for (double L = -720; L <= 720; L += 7.5) {
      PosizioneMacchia g = PosizioneDellaMacchia(omega, L);
      ASSERT_TRUE(std::isfinite(g.a) && std::isfinite(g.q)) << omega << " " << L;
      ASSERT_TRUE(g.a > 0 && g.a <= 360) << omega << " " << L << " " << g.a;
    }
}

}  // namespace
}  // namespace mr
