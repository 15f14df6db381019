// Prints the accuracy of the mutual-event finder against the reference events
// of tests/data/riferimento (drops of at least 0.01 mag): per quantity, the
// events compared and the signed mean, mean and largest absolute difference.
#include <cstdio>
#include <filesystem>

#include "confronto_mutui.h"

int main(int argc, char** argv) {
  namespace r = mr::riferimento;
  const std::filesystem::path cartella = argc > 1 ? argv[1] : RIFERIMENTO_DIR;
  if (!std::filesystem::exists(cartella / "mutui.json")) {
    std::fprintf(stderr, "Nessun dato di riferimento in %s\n", cartella.c_str());
    return 1;
  }
  r::ConfrontoMutui c;
  std::size_t finestre = 0;
  for (const r::FinestraMutui& f : r::LeggiFinestreMutui(cartella)) {
    r::ConfrontaMutui(f, r::LeggiMutui(cartella, f), r::MutuiDellaFinestra(f, 0.01).eventi, 0.01,
                      c);
    ++finestre;
  }
  std::printf("%zu finestre; mancanti %zu, in più %zu, genere diverso %zu, "
              "posizione diversa %zu\n\n",
              finestre, c.mancanti.size(), c.inattesi.size(), c.generiDiversi.size(),
              c.posizioniDiversi.size());
  std::printf("| Grandezza | Eventi | Media | Media assoluta | Massimo |\n");
  std::printf("|---|---:|---:|---:|---:|\n");
  const struct {
    const char* nome;
    const std::vector<double>& scarti;
  } righe[] = {
      {"Massimo (s)", c.massimi},   {"Primo contatto (s)", c.inizi},
      {"Ultimo contatto (s)", c.fini}, {"Impatto (km)", c.impatti},
      {"Calo (mag)", c.cali},       {"Altezze (°)", c.altezze},
  };
  for (const auto& riga : righe) {
    r::Scarti s = r::Riassunto(riga.scarti);
    std::printf("| %s | %zu | %+.3f | %.3f | %.3f |\n", riga.nome, s.n, s.media, s.mediaAssoluta,
                s.massimo);
  }
  return 0;
}
