#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pianificatore/filtro.h"

namespace mr {
namespace {

// Jupiter at or above the minimum, the Sun at or below the maximum, not hidden.
TEST(Filtro, EventiVisibili) {
  struct Case {
    const char* nome;
    double altGiove, altSole;
    bool nascosto;
    FiltroVisibili filtro;
    bool visibile;
  };
  const Case cases[] = {
      {"high in a dark sky", 35, -30, false, {}, true},
      {"Jupiter on the horizon", 0, -30, false, {}, true},
      {"Jupiter just below", -0.01, -30, false, {}, false},
      {"nautical twilight's edge", 20, -6, false, {}, true},
      {"brighter twilight", 20, -5.99, false, {}, false},
      {"hidden contact", 35, -30, true, {}, false},
      {"below the chosen 10 degrees", 9.99, -30, false, {10, -6}, false},
      {"at the chosen 10 degrees", 10, -18, false, {10, -18}, true},
      {"daytime allowed", 40, 30, false, {0, 90}, true},
      {"no altitude", NAN, -30, false, {}, false},
      {"no Sun", 35, NAN, false, {}, false},
  };
  for (const auto& c : cases) {
    Evento e{2461100.5, CodiceEvento::TrI, 1, c.altGiove, c.altSole, c.nascosto};
    EXPECT_EQ(Visibile(e, c.filtro), c.visibile) << c.nome;
  }
}

TEST(Filtro, SoloVisibiliInOrdine) {
  const std::vector<Evento> eventi = {
      {1, CodiceEvento::GRS, 0, 30, -20, false},  {2, CodiceEvento::OcD, 1, 30, -20, true},
      {3, CodiceEvento::TrI, 2, -5, -20, false},  {4, CodiceEvento::TrE, 2, 12, -10, false},
      {5, CodiceEvento::EcR, 3, 12, 10, false},
  };
  std::vector<Evento> visibili = SoloVisibili(eventi, {});
  ASSERT_EQ(visibili.size(), 2u);
  EXPECT_EQ(visibili[0].jdUT, 1);
  EXPECT_EQ(visibili[1].jdUT, 4);
  EXPECT_TRUE(SoloVisibili(std::span<const Evento>{}, {}).empty());
}

// A mutual event at its maximum: the altitudes as for a contact, and B where
// it can be seen at all.
TEST(Filtro, FenomeniMutuiVisibili) {
  using P = PosizioneMutuo;
  struct Case {
    const char* nome;
    double altGiove, altSole;
    P giove;
    bool visibile;
  };
  const Case cases[] = {
      {"clear, high, dark", 35, -30, P::Libero, true},
      {"in front of the disk: with care, but seen", 35, -30, P::Davanti, true},
      {"behind Jupiter", 35, -30, P::Dietro, false},
      {"in Jupiter's shadow", 35, -30, P::Ombra, false},
      {"A in Jupiter's shadow casts none", 35, -30, P::AttivoInOmbra, false},
      {"Jupiter below 10 degrees", 9.99, -30, P::Libero, false},
      {"twilight too bright", 35, -5.99, P::Libero, false},
      {"at both limits", 10, -6, P::Davanti, true},
      {"no altitude", NAN, -30, P::Libero, false},
  };
  for (const auto& c : cases) {
    const EventoMutuo e{TipoMutuo::Occultazione, 1, 2, 2461376.40, 2461376.41, 2461376.42,
                        800, GenereMutuo::Parziale, 0.3, c.altGiove, c.altSole, c.giove};
    EXPECT_EQ(Visibile(e, {10, -6}), c.visibile) << c.nome;
    EXPECT_EQ(SoloVisibili(std::vector<EventoMutuo>{e}, {10, -6}).size(), c.visibile ? 1u : 0u)
        << c.nome;
  }
}

}  // namespace
}  // namespace mr
