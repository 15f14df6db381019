#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "window/tela.h"

namespace mr {
namespace {

// Widths worked out by hand at 6.5 pixels a character: n characters take
// 6.5 n pixels, the ellipsis one character.
TEST(Tela, TestoCheEntra) {
  const std::vector<std::string> didascalia = {
      "Calo (mag) di Io + Europa, ora CET del 12/02/2027",  // 49 characters, 318.5 px
      "Calo (mag) di Io + Europa, ora CET",                 // 34 characters, 221 px
  };
  const std::string titolo = "1 O 2 - Io occulta Europa (parziale, calo 0,42 mag)";
  struct Case {
    const char* nome;
    std::vector<std::string> forme;
    double larghezza;
    std::string atteso;
  } cases[] = {
      {"the fullest form when it fits", didascalia, 318.5, didascalia[0]},
      {"the date dropped first", didascalia, 318, didascalia[1]},
      {"the shorter form exactly", didascalia, 221, didascalia[1]},
      // "Calo (mag) di Io + Europa, ora…" is 31 characters, 201.5 px; the
      // comma goes with the words after it.
      {"whole words, then the ellipsis", didascalia, 201, "Calo (mag) di Io + Europa\u2026"},
      {"not a dangling plus", didascalia, 120, "Calo (mag) di Io\u2026"},
      // "... Europa (parziale, calo…" would leave the bracket open: it goes whole.
      {"an aside in brackets taken whole", {titolo}, 280, "1 O 2 - Io occulta Europa\u2026"},
      {"a closed aside stays", {titolo}, 332, "1 O 2 - Io occulta Europa (parziale, calo 0,42 mag)"},
      // A first word too wide alone: "Gan…" is 26 px, "Gani…" 32.5.
      {"within the first word", {"Ganimede occulta Io"}, 30, "Gan\u2026"},
      {"only the ellipsis", {"Ganimede"}, 7, "\u2026"},
      {"nothing fits", {"Ganimede"}, 6, ""},
      {"nothing to write", {""}, 0, ""},
      {"no forms", {}, 100, ""},
      {"a width that is not a number", {"Io"}, NAN, ""},
      // "°" is two bytes and one character: "30°…" is 4 characters, 26 px.
      {"characters, not bytes", {"30\u00b0\u00b0\u00b0"}, 27, "30\u00b0\u2026"},
  };
  for (const Case& c : cases) {
    const std::string t = TestoCheEntra(c.forme, c.larghezza);
    EXPECT_EQ(t, c.atteso) << c.nome;
    if (std::isfinite(c.larghezza)) {
      EXPECT_LE(LarghezzaStimata(t), c.larghezza) << c.nome;
    }
  }
  EXPECT_EQ(TestoCheEntra(std::string("Notte del 12/02/2027"), 100), "Notte del\u2026");
}

// A text stands where the last Posizione or Punto left the text position, in
// the last text colour (black before any).
TEST(Tela, ScritteDiUnaRegistrazione) {
  TelaRegistrata t;
  t.Stampa("a");
  t.Posizione(10, 20);
  t.ColoreTesto(RGB(255, 0, 0));
  t.Stampa("b");
  t.Linea(0, 0, 5, 5, RGB(0, 0, 255));
  t.Punto(30, 40, RGB(0, 255, 0));
  t.Stampa("c");
  const std::vector<Scritta> s = Scritte(t.operazioni);
  ASSERT_EQ(s.size(), 3u);
  const Scritta attese[] = {{0, 0, "a", RGB(0, 0, 0)},
                            {10, 20, "b", RGB(255, 0, 0)},
                            {30, 40, "c", RGB(255, 0, 0)}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(s[i].x, attese[i].x) << i;
    EXPECT_EQ(s[i].y, attese[i].y) << i;
    EXPECT_EQ(s[i].testo, attese[i].testo) << i;
    EXPECT_EQ(s[i].colore, attese[i].colore) << i;
  }
}

}  // namespace
}  // namespace mr
