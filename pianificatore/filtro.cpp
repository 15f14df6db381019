#include "pianificatore/filtro.h"

namespace mr {

bool Visibile(const Evento& e, const FiltroVisibili& filtro) {
  return e.altGiove >= filtro.altezzaMinimaGiove && e.altSole <= filtro.altezzaMassimaSole &&
         !e.nascosto;
}

std::vector<Evento> SoloVisibili(std::span<const Evento> eventi, const FiltroVisibili& filtro) {
  std::vector<Evento> visibili;
  for (const Evento& e : eventi)
    if (Visibile(e, filtro)) visibili.push_back(e);
  return visibili;
}

}  // namespace mr
