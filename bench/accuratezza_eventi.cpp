// Prints the accuracy of the event finder against the reference events of
// tests/data/riferimento: per satellite, the events compared and the mean,
// 95th percentile and largest timing error in seconds (a table for the README).
#include <cstdio>
#include <filesystem>

#include "confronto_riferimento.h"

int main(int argc, char** argv) {
  namespace r = mr::riferimento;
  const std::filesystem::path cartella = argc > 1 ? argv[1] : RIFERIMENTO_DIR;
  if (!std::filesystem::exists(cartella / "finestre.json")) {
    std::fprintf(stderr, "Nessun dato di riferimento in %s\n", cartella.c_str());
    return 1;
  }
  r::Confronto c;
  std::size_t finestre = 0;
  for (const r::Finestra& f : r::LeggiFinestre(cartella)) {
    r::Confronta(f, r::LeggiEventi(cartella, f), r::EventiDellaFinestra(f).eventi, c);
    ++finestre;
  }
  const char* nomi[5] = {"Macchia Rossa", "Io", "Europa", "Ganimede", "Callisto"};
  std::printf("%zu finestre; mancanti %zu, in più %zu, 'nascosto' diverso %zu\n\n", finestre,
              c.mancanti.size(), c.inattesi.size(), c.nascostiDiversi.size());
  std::printf("| Corpo | Eventi | Media (s) | 95° percentile (s) | Massimo (s) |\n");
  std::printf("|---|---:|---:|---:|---:|\n");
  for (int s = 1; s <= 5; ++s) {
    int i = s % 5;  // satellites first, the Red Spot last
    r::Statistica t = r::Statistiche(c.errori[i]);
    std::printf("| %s | %zu | %+.1f | %.1f | %.1f |\n", nomi[i], t.n, t.media, t.p95, t.massimo);
  }
  return 0;
}
