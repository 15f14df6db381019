#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ephemeris/calendario.h"
#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/satelliti.h"

namespace mr {
namespace {

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// Meeus, Astronomical Algorithms (2nd ed.), example 43.a: 1992 December 16,
// 0h UT (Delta T 59 s): DE = -2.48, DS = -2.20, System II meridian corrected
// for phase 72.74. The book uses an older IAU pole (about 0.05 degrees away).
TEST(PosizioniPrecise, EsempioMeeus43a) {
  PosizioniPrecise p = PosizioniAllIstante({GiornoGiuliano(16, 12, 1992), 59});
  ASSERT_TRUE(p.valide);
  EXPECT_TRUE(Vicino(p.DE, -2.48, 0.01)) << p.DE;
  EXPECT_TRUE(Vicino(p.DS, -2.20, 0.01)) << p.DS;
  EXPECT_TRUE(Vicino(p.MCIlluminato, 72.74, 0.1)) << p.MCIlluminato;
  // Three months before opposition the lit part lies towards increasing
  // longitude by asin((1 - cos 9.9)/2) = 0.43 degrees.
  EXPECT_TRUE(Vicino(p.MCIlluminato - p.MC, 0.43, 0.02)) << p.MC;
  EXPECT_TRUE(Vicino(p.fase, 9.9, 0.1)) << p.fase;
}

// The two ephemerides describe the same sky: the precise offsets agree with
// the series' ones in sign and within a hundredth of the orbit's radius for
// the satellites, a few hundredths for the shadows (the series project them
// in parallel light).
TEST(PosizioniPrecise, ConcordaConLeSerieSemplici) {
  struct Case {
    double giorno, mese, anno, ore;
  };
  const Case cases[] = {
      {1, 1, 1990, 0}, {17, 6, 1998, 5},  {3, 11, 2005, 21}, {2, 1, 2016, 13},
      {9, 8, 2023, 2}, {13, 10, 2025, 23}, {1, 3, 2026, 0},  {20, 9, 2040, 12},
  };
  for (const auto& c : cases) {
    SerieSatelliti s = CalcolaSerieSatelliti(c.giorno, c.mese, c.anno, c.ore, 0, -1, 1);
    PosizioniPrecise p = PosizioniAllIstante({GiornoGiuliano(c.giorno, c.mese, c.anno, c.ore), 69});
    ASSERT_TRUE(p.valide);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(std::to_string(static_cast<int>(c.anno)) + "-" +
                   std::to_string(static_cast<int>(c.mese)) + ", satellite " + std::to_string(i));
      double r = s.r[i];
      Scostamento a = ScostamentoSatellite(s, i, s.DE), b = p.satelliti[i].posizione;
      EXPECT_TRUE(Vicino(b.X, a.X, 0.015 * r)) << b.X << " " << a.X;
      EXPECT_TRUE(Vicino(b.Y, a.Y, 0.015 * r)) << b.Y << " " << a.Y;
      if (std::abs(a.X) > 0.05 * r) {
        EXPECT_EQ(a.X > 0, b.X > 0);
      }
      Scostamento c = ScostamentoOmbra(s, i, s.DE), d = p.satelliti[i].ombra;
      EXPECT_TRUE(Vicino(d.X, c.X, 0.05 * r)) << d.X << " " << c.X;
      EXPECT_TRUE(Vicino(d.Y, c.Y, 0.05 * r)) << d.Y << " " << c.Y;
    }
  }
}

// The states at instants at least five minutes from the contacts published
// by the IMCCE for January 2016 (Delta T 68 s).
TEST(PosizioniPrecise, StatiTraIContattiPubblicati) {
  struct Case {
    const char* nome;
    double giorno, ore, minuti;
    int satellite;
    bool inTransito, ombraSulDisco, occultato, eclissato;
  };
  const Case cases[] = {
      {"Europa eclipsed (Ec.D 05:35)", 2, 5, 45, 1, false, false, false, true},
      {"Europa before its eclipse", 2, 5, 25, 1, false, false, false, false},
      {"Europa after Oc.R 10:41", 2, 10, 50, 1, false, false, false, false},
      {"Io's shadow on the disk (13:01-15:16)", 2, 13, 10, 0, false, true, false, false},
      {"Io and its shadow on the disk", 2, 15, 0, 0, true, true, false, false},
      {"Io in transit (14:10-16:24), shadow gone", 2, 16, 10, 0, true, false, false, false},
      {"Io after Tr.E 16:24", 2, 16, 35, 0, false, false, false, false},
      {"Io eclipsed (Ec.D 10:07)", 3, 10, 20, 0, false, false, false, true},
      {"Io behind the disk (Oc.R 13:34)", 3, 13, 25, 0, false, false, true, false},
      {"Io after Oc.R 13:34", 3, 13, 45, 0, false, false, false, false},
      {"Europa's shadow on the disk (23:48-02:37)", 4, 1, 0, 1, false, true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    double jd = GiornoGiuliano(c.giorno, 1, 2016, c.ore, c.minuti);
    PosizioniPrecise p = PosizioniAllIstante({jd, 68});
    const SatellitePreciso& s = p.satelliti[c.satellite];
    EXPECT_EQ(s.inTransito, c.inTransito);
    EXPECT_EQ(s.ombraSulDisco, c.ombraSulDisco);
    EXPECT_EQ(s.occultato, c.occultato);
    EXPECT_EQ(s.eclissato, c.eclissato);
    // In front of the planet exactly when in transit or near it.
    if (s.inTransito || s.occultato) {
      EXPECT_EQ(s.davanti, s.inTransito);
    }
    // A satellite on the disk shows inside the apparent ellipse.
    if (s.inTransito || s.occultato) {
      EXPECT_LT(std::hypot(s.posizione.X, s.posizione.Y / 0.94), 1.0);
    }
  }
}

TEST(PosizioniPrecise, IstantiNonAmmessi) {
  const IstanteUT cases[] = {
      {GiornoGiuliano(31, 12, 1599), 69},
      {GiornoGiuliano(1, 1, 3000), 69},
      {NAN, 69},
      {GiornoGiuliano(1, 1, 2026), NAN},
      {INFINITY, 0},
  };
  for (const auto& c : cases) {
    PosizioniPrecise p = PosizioniAllIstante(c);
    EXPECT_FALSE(p.valide);
    EXPECT_EQ(p.MC, 0);
    EXPECT_EQ(p.satelliti[3].posizione.X, 0);
  }
  EXPECT_TRUE(PosizioniAllIstante({GiornoGiuliano(1, 1, 1600), 120}).valide);
  EXPECT_TRUE(PosizioniAllIstante({GiornoGiuliano(31, 12, 2999, 23), 4000}).valide);
}

}  // namespace
}  // namespace mr
