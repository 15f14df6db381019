#include <gtest/gtest.h>

#include <vector>

#include "pianificatore/etichette.h"

namespace mr {
namespace {

// Labels 30 units wide, 2 from their mark, 6 between two on a row: worked by
// hand.
TEST(DisponiEtichette, RowsAboveTheChart) {
  struct Caso {
    const char* nome;
    std::vector<MarcaAsse> marche;
    double bordo;
    std::size_t fileMassime;
    std::vector<PostoEtichetta> attesi;
    int file;
  };
  const Caso casi[] = {
      // The first ends at 42 (+6: 48); the second, from 22, goes up a row;
      // the third, from 202, fits after the first.
      {"apart and overlapping",
       {{10, 30}, {20, 30}, {200, 30}}, 300, 6, {{0, 12}, {1, 22}, {0, 202}}, 2},
      // 292 + 30 passes 300: the label ends 2 left of its mark, at 258.
      {"by the right edge", {{290, 30}}, 300, 6, {{0, 258}}, 1},
      // One row only: the second label shares it with the first.
      {"no more rows", {{10, 30}, {20, 30}}, 300, 1, {{0, 12}, {0, 22}}, 1},
      // Two rows full: the third goes on the one that ends first (row 0 at 48,
      // row 1 at 58).
      {"the row that ends first",
       {{10, 30}, {20, 30}, {30, 30}}, 300, 2, {{0, 12}, {1, 22}, {0, 32}}, 2},
      {"no marks", {}, 300, 6, {}, 1},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<PostoEtichetta> posti = DisponiEtichette(c.marche, c.bordo, c.fileMassime);
    ASSERT_EQ(posti.size(), c.attesi.size());
    for (std::size_t i = 0; i < posti.size(); ++i) {
      EXPECT_EQ(posti[i].fila, c.attesi[i].fila) << i;
      EXPECT_DOUBLE_EQ(posti[i].x, c.attesi[i].x) << i;
    }
    EXPECT_EQ(FileUsate(posti), c.file);
  }
}

}  // namespace
}  // namespace mr
