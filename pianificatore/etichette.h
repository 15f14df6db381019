// Labels of marks along a chart's time axis, set in rows above the chart so
// that none covers another.
#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace mr {

// A mark at x with a label w wide (chart units).
struct MarcaAsse {
  double x, larghezza;
};

// Where a label goes: its row above the chart (0 the nearest) and its left x.
struct PostoEtichetta {
  int fila;
  double x;
};

// The labels of marks given left to right. A label starts right of its mark,
// or ends left of it where it would pass bordoDestro; it goes on the first
// row where it starts after the labels already there, else on a new row while
// there are fewer than fileMassime, else on the row that ends first.
std::vector<PostoEtichetta> DisponiEtichette(std::span<const MarcaAsse> marche,
                                             double bordoDestro, std::size_t fileMassime);

// The rows the labels take, at least one.
int FileUsate(std::span<const PostoEtichetta> posti);

}  // namespace mr
