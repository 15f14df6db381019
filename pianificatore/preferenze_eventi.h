// The planner's choices, kept between runs in the program's own settings
// file ("MacchiaRossa.ini", section Eventi).
#pragma once
#include <string>

#include "pianificatore/piano.h"
#include "settings/preferenze.h"

namespace mr {

struct PreferenzeEventi {
  SceltaEventi scelta;
  std::string fuso;       // IANA name; "" for the system's zone
  std::string geometria;  // the window's place and size as the view encodes it; "" for none
  bool operator==(const PreferenzeEventi&) const = default;
};

// The stored choices; a missing or unusable value gives its default.
PreferenzeEventi LeggiPreferenzeEventi(const Preferenze& p);
// The choices as keys to store (an empty zone or geometry is not stored).
Preferenze PreferenzeDi(const PreferenzeEventi& e);

}  // namespace mr
