// The observer's choices of how the windows show things, kept in the
// program's own settings file ("MacchiaRossa.ini", section Vista).
#pragma once

#include "settings/preferenze.h"
#include "window/orientamento.h"

namespace mr {

inline constexpr const char* ChiaveVistaOrientamento = "Vista/orientamento";
inline constexpr const char* ChiaveVistaNotturna = "Vista/visioneNotturna";

struct SceltaVista {
  Orientamento orientamento = Orientamento::Diretta;
  bool visioneNotturna = false;
  bool operator==(const SceltaVista&) const = default;
};

// The stored choices; a missing or unusable value gives the default (the
// direct view, night vision off).
SceltaVista LeggiVista(const Preferenze& p);
// The choices as keys to store.
Preferenze PreferenzeVista(const SceltaVista& s);

}  // namespace mr
