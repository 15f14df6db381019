// Which events an observer at the site can watch.
#pragma once
#include <span>
#include <vector>

#include "ephemeris/eventi.h"

namespace mr {

// Jupiter at least this high, the Sun at most this high (degrees).
struct FiltroVisibili {
  double altezzaMinimaGiove = 0;
  double altezzaMassimaSole = -6;
};

// Whether e can be watched: Jupiter at or above the minimum altitude, the Sun
// at or below the maximum, and the contact not hidden. False for a NaN.
bool Visibile(const Evento& e, const FiltroVisibili& filtro);

// The events of the list that pass the filter, in the list's order.
std::vector<Evento> SoloVisibili(std::span<const Evento> eventi, const FiltroVisibili& filtro);

}  // namespace mr
