// Which events an observer at the site can watch.
#pragma once
#include <span>
#include <vector>

#include "ephemeris/eventi.h"
#include "ephemeris/mutui.h"

namespace mr {

// Jupiter at least this high, the Sun at most this high (degrees).
struct FiltroVisibili {
  double altezzaMinimaGiove = 0;
  double altezzaMassimaSole = -6;
};

// Whether e can be watched: Jupiter at or above the minimum altitude, the Sun
// at or below the maximum, and the contact not hidden. False for a NaN.
bool Visibile(const Evento& e, const FiltroVisibili& filtro);

// Whether a mutual event can be watched where B stands at its maximum: not
// behind Jupiter, not in Jupiter's shadow, and (an eclipse) with A in the
// sunlight to cast a shadow at all. In front of the disk it can, with care:
// B's light is measured against the planet's.
bool Osservabile(PosizioneMutuo p);

// Whether e can be watched: at its maximum, Jupiter at or above the minimum
// altitude and the Sun at or below the maximum, and B where it is Osservabile.
// False for a NaN.
bool Visibile(const EventoMutuo& e, const FiltroVisibili& filtro);

// The events of the list that pass the filter, in the list's order.
std::vector<Evento> SoloVisibili(std::span<const Evento> eventi, const FiltroVisibili& filtro);
std::vector<EventoMutuo> SoloVisibili(std::span<const EventoMutuo> eventi,
                                      const FiltroVisibili& filtro);

}  // namespace mr
