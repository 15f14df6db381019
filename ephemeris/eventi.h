// The phenomena of the Galilean satellites and the Red Spot's transits over a
// window of time, from the precise ephemeris, as seen from the Earth's centre.
#pragma once
#include <vector>

#include "ephemeris/orizzonte.h"

namespace mr {

enum class CodiceEvento {
  TrI, TrE,  // transit: ingress, egress
  ShI, ShE,  // shadow on the disk: ingress, egress
  OcD, OcR,  // occultation: disappearance, reappearance
  EcD, EcR,  // eclipse: disappearance, reappearance
  GRS,       // the Red Spot on the central meridian
};

// The published tables' notation: "Tr.I", "Tr.E", "Sh.I", "Sh.E", "Oc.D",
// "Oc.R", "Ec.D", "Ec.R", "GRS".
const char* SiglaEvento(CodiceEvento codice);

struct Evento {
  double jdUT;          // the instant, Julian day UT
  CodiceEvento codice;
  int satellite;        // 1..4 (Io, Europa, Ganymede, Callisto); 0 for the Red Spot
  double altGiove;      // topocentric altitudes of the centres at the site,
  double altSole;       // degrees, no refraction
  bool nascosto;        // an occultation contact while the satellite is eclipsed,
                        // or an eclipse contact while it is occulted
  bool operator==(const Evento&) const = default;
};

// The Red Spot's System II longitude L0 (degrees) at epocaJdUT (Julian day,
// UT), drifting by deriva degrees per month of 30.4375 days.
struct ModelloMacchia {
  double L0 = 0, deriva = 0, epocaJdUT = 2451545.0;
  bool operator==(const ModelloMacchia&) const = default;
};

// The Red Spot's System II longitude at a UT Julian day,
// L0 + deriva (jdUT - epocaJdUT) / 30.4375, in degrees [0, 360).
double LongitudineMacchia(const ModelloMacchia& m, double jdUT);

enum class EsitoEventi {
  Calcolati,        // the list holds every event of the window (maybe none)
  FuoriIntervallo,  // the window is not inside 1600-01-01 .. 3000-01-01 UT
  DatiNonValidi,    // giorni not in (0, 3660], or a value not finite
};

struct RicercaEventi {
  EsitoEventi esito;
  std::vector<Evento> eventi;  // in time order; empty unless Calcolati
};

// The events of the UT window [jdInizioUT, jdInizioUT + giorni), with Delta T
// (seconds) held for the whole window, seen from the Earth's centre (altitudes
// from the site). Contacts are the instants the centre of the satellite or of
// its shadow is on the limb of the ellipsoid (eclipses at mid-penumbra), to
// better than a second. The theories are best in 1900-2100; the window may lie
// anywhere in 1600-2999 at a slowly degrading accuracy.
RicercaEventi CercaEventi(double jdInizioUT, double giorni, double deltaT, const Sito& sito,
                          const ModelloMacchia& macchia);

}  // namespace mr
