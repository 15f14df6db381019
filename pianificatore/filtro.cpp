#include "pianificatore/filtro.h"

namespace mr {

namespace {

bool AltezzeAmmesse(double altGiove, double altSole, const FiltroVisibili& filtro) {
  return altGiove >= filtro.altezzaMinimaGiove && altSole <= filtro.altezzaMassimaSole;
}

template <class E>
std::vector<E> Visibili(std::span<const E> eventi, const FiltroVisibili& filtro) {
  std::vector<E> visibili;
  for (const E& e : eventi)
    if (Visibile(e, filtro)) visibili.push_back(e);
  return visibili;
}

}  // namespace

bool Visibile(const Evento& e, const FiltroVisibili& filtro) {
  return AltezzeAmmesse(e.altGiove, e.altSole, filtro) && !e.nascosto;
}

bool Osservabile(PosizioneMutuo p) {
  return p == PosizioneMutuo::Davanti || p == PosizioneMutuo::Libero;
}

bool Visibile(const EventoMutuo& e, const FiltroVisibili& filtro) {
  return AltezzeAmmesse(e.altGiove, e.altSole, filtro) && Osservabile(e.giove);
}

std::vector<Evento> SoloVisibili(std::span<const Evento> eventi, const FiltroVisibili& filtro) {
  return Visibili(eventi, filtro);
}

std::vector<EventoMutuo> SoloVisibili(std::span<const EventoMutuo> eventi,
                                      const FiltroVisibili& filtro) {
  return Visibili(eventi, filtro);
}

}  // namespace mr
