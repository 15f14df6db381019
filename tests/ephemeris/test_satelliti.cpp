#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/satelliti.h"
#include "ephemeris/solepianeta.h"

namespace mr {
namespace {

constexpr float TU = -1, TM = 0, OE = 1;

TEST(SerieSatelliti, GiornoDal1900) {
  struct Case {
    const char* nome;
    double giorno, mese, anno, ore, minuti;
    float Z;
    double d;  // JD - 2415020
  };
  const Case cases[] = {
      {"28 Feb 2005", 28, 2, 2005, 0, 0, TU, 2453429.5 - 2415020},
      {"1 Mar 2005", 1, 3, 2005, 0, 0, TU, 2453430.5 - 2415020},
      {"28 Feb 2004", 28, 2, 2004, 0, 0, TU, 2453063.5 - 2415020},
      {"1 Mar 2004, after 29 Feb", 1, 3, 2004, 0, 0, TU, 2453065.5 - 2415020},
      {"mean time: one hour off", 1, 3, 2005, 1, 0, TM, 2453430.5 - 2415020},
      {"summer time: two hours off", 1, 3, 2005, 2, 0, OE, 2453430.5 - 2415020},
      {"summer time at 0h is 22h UT the day before", 1, 3, 2005, 0, 0, OE,
       2453430.5 - 2.0 / 24 - 2415020},
      {"day 0 of March", 0, 3, 2005, 0, 0, TU, 2453429.5 - 2415020},
      {"J2000.0", 1, 1, 2000, 12, 0, TU, 36525},
      {"minutes", 1, 1, 2000, 12, 90, TU, 36525 + 1.5 / 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    SerieSatelliti s = CalcolaSerieSatelliti(c.giorno, c.mese, c.anno, c.ore, c.minuti, c.Z, 5);
    EXPECT_NEAR(s.d, c.d, 1e-8);
  }
}

// The same series (Meeus, Astronomical Formulae for Calculators) with worked
// output published for 2025 October 13, 23:30 UT, in Jupiter radii.
TEST(SerieSatelliti, EsempioPubblicato) {
  SerieSatelliti s = CalcolaSerieSatelliti(13, 10, 2025, 23, 30, TU, 1);
  struct Case {
    const char* nome;
    double X, Y;
  };
  const Case cases[] = {
      {"Io", 2.815596, 0.13686317},
      {"Europa", -8.904947, 0.07756843},
      {"Ganimede", 7.521977, -0.33942777},
      {"Callisto", -24.996779, 0.23533560},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cases[i].nome);
    Scostamento o = ScostamentoSatellite(s, i, s.DE);
    EXPECT_NEAR(o.X, cases[i].X, 1e-6);
    EXPECT_NEAR(o.Y, cases[i].Y, 1e-6);
  }
}

// Earth-Jupiter distance, phase angle and the Earth's jovicentric declination
// agree with those from the independent Jupiter series and the pole of Jupiter.
TEST(SerieSatelliti, ConcordaConLaPosizioneDiGiove) {
  const double k = 3.14159265 / 180;
  for (double anno = 1950; anno < 2050; anno += 1)
    for (double mese = 1; mese <= 12; mese += 1.5) {
      double giorno = 1 + std::fmod(anno * 7 + mese * 3, 28), ore = std::fmod(anno * 5, 24);
      SCOPED_TRACE(::testing::Message() << giorno << "/" << mese << "/" << anno);
      Istante I = IstanteGiuliano(giorno, std::floor(mese), anno, ore, 0, TU);
      SolePianeta p = PosizioniSolePianeta((I.J - 2451545) + I.F);
      SerieSatelliti s = CalcolaSerieSatelliti(giorno, std::floor(mese), anno, ore, 0, TU, 5);

      EXPECT_NEAR(s.Delta, p.Delta, 0.01);
      double cosPsi = (p.r * p.r + p.Delta * p.Delta - p.R * p.R) / (2 * p.r * p.Delta);
      EXPECT_NEAR(std::fabs(s.psi), std::acos(cosPsi) / k, 0.4);
      double alfa0 = 268.05 * k, delta0 = 64.49 * k;
      double sinDE = -std::sin(delta0) * std::sin(p.delta) -
                     std::cos(delta0) * std::cos(p.delta) * std::cos(alfa0 - p.alfa);
      EXPECT_NEAR(s.DE, std::asin(sinDE) / k, 0.15);
    }
}

TEST(SerieSatelliti, ScalaDeiRaggi) {
  SerieSatelliti disco = CalcolaSerieSatelliti(1, 1, 2000, 12, 0, TU, 126);
  SerieSatelliti pannello = CalcolaSerieSatelliti(1, 1, 2000, 12, 0, TU, 5);
  EXPECT_NEAR(disco.r[0], 744, 3.5);
  const double medi[4] = {5.9061, 9.3972, 14.9894, 26.3649};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(pannello.r[i] / 5, medi[i], 0.2);
    EXPECT_NEAR(disco.r[i] / 126, pannello.r[i] / 5, 1e-12);
    EXPECT_EQ(disco.u[i], pannello.u[i]);
  }
}

// Every date from 1600 to 2999: no NaN, angles reduced, offsets within the orbits.
TEST(SerieSatelliti, SpazzataDiDate) {
  for (double anno = 1600; anno < 3000; anno += 1)
    for (double mese = 1; mese <= 12; mese += 1) {
      double giorno = 1 + std::fmod(anno * 13 + mese * 5, 31);
      double ore = std::fmod(anno * 7 + mese, 24), minuti = std::fmod(anno * 11, 60);
      float Z = static_cast<float>(std::fmod(anno, 3) - 1);
      SerieSatelliti s = CalcolaSerieSatelliti(giorno, mese, anno, ore, minuti, Z, 5);
      SCOPED_TRACE(::testing::Message() << giorno << "/" << mese << "/" << anno);
      ASSERT_TRUE(s.Delta > 3.9 && s.Delta < 6.5) << s.Delta;
      ASSERT_TRUE(std::fabs(s.psi) < 12.5) << s.psi;
      ASSERT_TRUE(std::fabs(s.DE) < 4) << s.DE;
      ASSERT_TRUE(std::isfinite(s.B));
      for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(s.u[i] >= 0 && s.u[i] < 360) << i << " " << s.u[i];
        Scostamento o = ScostamentoSatellite(s, i, s.DE);
        Scostamento ombra = ScostamentoOmbra(s, i, s.DE);
        ASSERT_TRUE(std::isfinite(o.X) && std::isfinite(o.Y) && std::isfinite(ombra.X) &&
                    std::isfinite(ombra.Y));
        ASSERT_LE(std::fabs(o.X), s.r[i]);
        ASSERT_LE(std::fabs(ombra.X), s.r[i]);
      }
      ASSERT_LE(std::fabs(ScostamentoSatellite(s, 3, s.DE).X), 132.8);
    }
}

TEST(SerieSatelliti, DatiVuoti) {
  // Fields that read as 0: some day far in the past, still finite and reduced.
  SerieSatelliti s = CalcolaSerieSatelliti(0, 0, 0, 0, 0, TM, 5);
  EXPECT_TRUE(std::isfinite(s.d) && std::isfinite(s.Delta) && std::isfinite(s.DE));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(s.u[i] >= 0 && s.u[i] < 360) << s.u[i];
}

TEST(Scostamento, SatelliteEOmbra) {
  SerieSatelliti s{};
  s.psi = 10;
  struct Case {
    const char* nome;
    double u, r, DE;
    double X, Y, XS, YS;
  };
  const Case cases[] = {
      // In front of the planet the satellite is below the centre when the
      // Earth is north of Jupiter's equator; the shadow is shifted by the phase angle.
      {"in front", 0, 100, 3, 0, -5.233596, -17.364818, -5.233596},
      {"greatest elongation", 90, 100, 3, 100, 0, 98.480775, 0},
      {"behind", 180, 100, -2, 0, -3.489950, 17.364818, -3.489950},
      {"Earth in the equatorial plane", 300, 50, 0, -43.301270, 0, -46.984631, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    s.u[1] = c.u;
    s.r[1] = c.r;
    Scostamento o = ScostamentoSatellite(s, 1, c.DE);
    Scostamento ombra = ScostamentoOmbra(s, 1, c.DE);
    EXPECT_NEAR(o.X, c.X, 1e-6);
    EXPECT_NEAR(o.Y, c.Y, 1e-6);
    EXPECT_NEAR(ombra.X, c.XS, 1e-6);
    EXPECT_NEAR(ombra.Y, c.YS, 1e-6);
  }
}

TEST(Scostamento, IndiceFuoriIntervallo) {
  SerieSatelliti s = CalcolaSerieSatelliti(1, 1, 2000, 12, 0, TU, 5);
  for (int i : {-1, 4, 100}) {
    Scostamento o = ScostamentoSatellite(s, i, s.DE);
    Scostamento ombra = ScostamentoOmbra(s, i, s.DE);
    EXPECT_EQ(o.X, 0);
    EXPECT_EQ(o.Y, 0);
    EXPECT_EQ(ombra.X, 0);
    EXPECT_EQ(ombra.Y, 0);
  }
}

}  // namespace
}  // namespace mr
