#include "pianificatore/etichette.h"

#include <algorithm>

namespace mr {

namespace {

constexpr double kStacco = 2;  // between a mark and its label
constexpr double kSpazio = 6;  // between two labels on a row

}  // namespace

std::vector<PostoEtichetta> DisponiEtichette(std::span<const MarcaAsse> marche,
                                             double bordoDestro, std::size_t fileMassime) {
  std::vector<PostoEtichetta> posti;
  std::vector<double> fineFila;  // where each row's last label (or mark) ends
  for (const MarcaAsse& m : marche) {
    const double destra = m.x + kStacco;
    const double x = destra + m.larghezza <= bordoDestro ? destra : m.x - kStacco - m.larghezza;
    auto fila = std::find_if(fineFila.begin(), fineFila.end(),
                             [&](double fine) { return fine < std::min(m.x, x); });
    if (fila == fineFila.end() && fineFila.size() < std::max<std::size_t>(fileMassime, 1)) {
      fineFila.push_back(0);
      fila = fineFila.end() - 1;
    } else if (fila == fineFila.end()) {
      fila = std::min_element(fineFila.begin(), fineFila.end());
    }
    *fila = std::max(m.x, x + m.larghezza) + kSpazio;
    posti.push_back({static_cast<int>(fila - fineFila.begin()), x});
  }
  return posti;
}

int FileUsate(std::span<const PostoEtichetta> posti) {
  int file = 1;
  for (const PostoEtichetta& p : posti) file = std::max(file, p.fila + 1);
  return file;
}

}  // namespace mr
