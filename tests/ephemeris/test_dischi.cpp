#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ephemeris/dischi.h"

namespace mr {
namespace {

constexpr double kPi = std::numbers::pi;

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// The lens of two unit circles through each other's centres: two sectors of
// 120 degrees less two equilateral triangles, 2 pi/3 - sqrt(3)/2.
const double kLente = 2 * kPi / 3 - std::sqrt(3.0) / 2;  // 1.2283697

TEST(Dischi, AreaComune) {
  struct Case {
    const char* nome;
    double r1, r2, d, area;
  };
  const Case cases[] = {
      {"apart", 1, 1, 2.5, 0},
      {"touching outside", 1, 1, 2, 0},
      {"one inside the other", 3, 1, 1.5, kPi},
      {"inside, touching", 1, 3, 2, kPi},
      {"concentric", 2, 1, 0, kPi},
      {"lens of unit circles", 1, 1, 1, kLente},
      {"lens scaled by 1000 km", 1000, 1000, 1000, kLente * 1e6},
      // r1 = 2, r2 = 1, d = 2: half-angles acos(7/8) and acos(1/4); Heron's
      // term sqrt(1 * 3 * 1 * 5) / 2. 4 acos(7/8) + acos(1/4) - sqrt(15)/2.
      {"unequal radii", 2, 1, 2, 1.4030664396857389},
      {"the same, radii swapped", 1, 2, 2, 1.4030664396857389},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    double a = AreaComune(c.r1, c.r2, c.d);
    EXPECT_TRUE(Vicino(a, c.area, 1e-12 * (1 + c.area))) << a;
  }
}

TEST(Dischi, GenereOccultazione) {
  struct Case {
    double rA, rB, d;
    GenereMutuo genere;
  };
  using G = GenereMutuo;
  const Case cases[] = {
      {2631.2, 1560.8, 1000, G::Totale},     // 1000 + 1560.8 <= 2631.2
      {2631.2, 1560.8, 1100, G::Parziale},   // 1100 + 1560.8 > 2631.2
      {1560.8, 2631.2, 1070, G::Anulare},  // A's disk just inside B's
      {1560.8, 2631.2, 1071, G::Parziale},
      {1821.6, 1821.6, 0, G::Totale},        // equal disks, central
      {1821.6, 1821.6, 3000, G::Parziale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.d);
    EXPECT_EQ(GenereOccultazione(c.rA, c.rB, c.d), c.genere);
  }
}

// Drops of A and B together: 1 - (covered part of B) * lB / (lA + lB), with
// l = 10^(-0.4 m).
TEST(Dischi, CaloOccultazione) {
  struct Case {
    const char* nome;
    double rA, rB, d, mA, mB, calo;
  };
  const Case cases[] = {
      // Europa wholly behind Ganymede: lG = 10^0.836, lE = 10^0.564,
      // -2.5 log10(lG / (lG + lE)) = 0.464963.
      {"Ganymede covers Europa", 2631.2, 1560.8, 500, -2.09, -1.41, 0.4649628},
      // Io over Europa, both of radius 1, centres 1 apart: Europa loses the
      // lens / pi = 0.391002 of its light; lI = 10^0.672, lE = 10^0.564:
      // -2.5 log10(1 - 0.391002 lE / (lI + lE)) = 0.204029.
      {"lens", 1, 1, 1, -1.68, -1.41, 0.2040290},
      {"apart", 1821.6, 1560.8, 3400, -1.68, -1.41, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    double calo = CaloOccultazione(c.rA, c.rB, c.d, c.mA, c.mB);
    EXPECT_TRUE(Vicino(calo, c.calo, 1e-6)) << calo;
  }
}

TEST(Dischi, GenereEclisse) {
  struct Case {
    const char* nome;
    OmbraMutua o;
    double rB, d;
    GenereMutuo genere;
  };
  using G = GenereMutuo;
  const Case cases[] = {
      // Umbra of radius 2600 - 500 = 2100.
      {"B inside the umbra", {500, 2600}, 1560.8, 500, G::Totale},
      {"B across the umbra's edge", {500, 2600}, 1560.8, 600, G::Parziale},
      // Umbra of radius 1800 - 900 = 900 within B's 1560.8.
      {"umbra inside B", {900, 1800}, 1560.8, 600, G::Anulare},
      {"umbra across B's limb", {900, 1800}, 1560.8, 700, G::Parziale},
      // Past the umbra's vertex: antumbra of radius 1200 - 600 = 600.
      {"antumbra inside B", {1200, 600}, 2410.3, 1800, G::Anulare},
      {"antumbra across B's limb", {1200, 600}, 2410.3, 1850, G::Parziale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(GenereEclisse(c.o, c.rB, c.d), c.genere);
  }
}

// B's light in a shadow, by a midpoint grid over B's disk of the visible part
// of the Sun's disk at each point (an independent way to the same integral).
double LuceSuGriglia(const OmbraMutua& o, double rB, double d) {
  const int n = 600;
  double somma = 0, punti = 0;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      double x = rB * (2 * (i + 0.5) / n - 1), y = rB * (2 * (j + 0.5) / n - 1);
      if (x * x + y * y > rB * rB) continue;
      double r = std::hypot(d + x, y);
      somma += 1 - AreaComune(o.rSole, o.rAttivo, r) / (kPi * o.rSole * o.rSole);
      punti += 1;
    }
  }
  return somma / punti;
}

TEST(Dischi, LuceInOmbra) {
  struct Case {
    const char* nome;
    OmbraMutua o;
    double rB, d, luce, tolleranza;
  };
  const double lente = 1 - kLente / kPi;  // 0.6089978
  const Case cases[] = {
      {"wholly in the umbra", {500, 2600}, 1560.8, 500, 0, 0},
      {"outside the penumbra", {800, 1800}, 1560.8, 4200, 1, 0},
      // Every point of B sees A's disk (radius 400) wholly on the Sun's
      // (radius 1000): 1 - 0.4^2.
      {"wholly in the antumbra", {1000, 400}, 300, 100, 0.84, 1e-9},
      // A tiny B where A's disk (equal to the Sun's) passes through the Sun's
      // centre: the lens of two unit circles.
      {"a point where the Sun is a lens", {1000, 1000}, 1, 1000, lente, 1e-5},
      {"a point in the umbra's edge", {900, 1800}, 1e-3, 900, 0, 1e-6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    double luce = LuceInOmbra(c.o, c.rB, c.d);
    EXPECT_TRUE(Vicino(luce, c.luce, c.tolleranza)) << luce;
  }
  // Partial and annular shadows of the season's sizes against the grid.
  const struct {
    OmbraMutua o;
    double rB, d;
  } griglia[] = {
      {{260, 1600}, 1560.8, 1500}, {{260, 1600}, 1560.8, 2800}, {{900, 1830}, 2410.3, 1250},
      {{1300, 560}, 1821.6, 300},  {{1300, 560}, 1821.6, 2900}, {{700, 2640}, 1560.8, 1800},
  };
  for (const auto& g : griglia) {
    SCOPED_TRACE(g.d);
    double luce = LuceInOmbra(g.o, g.rB, g.d), atteso = LuceSuGriglia(g.o, g.rB, g.d);
    EXPECT_TRUE(Vicino(luce, atteso, 1e-4)) << luce << " " << atteso;
  }
}

TEST(Dischi, CaloEclisse) {
  // 1 - 0.4^2 of the light: -2.5 log10(0.84) = 0.189302.
  EXPECT_TRUE(Vicino(CaloEclisse({1000, 400}, 300, 100), 0.1893018, 1e-6));
  // Wholly in the umbra: the cap.
  EXPECT_EQ(CaloEclisse({500, 2600}, 1560.8, 500), 9.99);
  // B's limb 0.1 km out of the umbra (radius 2100): a sliver of Sun shows on a
  // sliver of B, far less than 10^(-0.4 * 9.99) of the light.
  EXPECT_EQ(CaloEclisse({500, 2600}, 1560.8, 539.3), 9.99);
  EXPECT_EQ(CaloEclisse({800, 1800}, 1560.8, 4200), 0);
}

}  // namespace
}  // namespace mr
