// The precise ephemeris at one instant: Jupiter's central meridian and aspect,
// and where the satellites and their shadows appear, as the Earth sees them.
#pragma once
#include <array>

#include "ephemeris/istante_ut.h"
#include "ephemeris/mutui.h"
#include "ephemeris/satelliti.h"

namespace mr {

struct SatellitePreciso {
  Scostamento posizione;  // apparent offsets, equatorial radii: X along Jupiter's
                          // equator (right, west, positive), Y across it (up, north)
  bool davanti;           // nearer the Earth than Jupiter's centre is
  bool inTransito;        // its centre in front of the disk
  bool occultato;         // its centre behind the disk
  bool eclissato;         // its centre in Jupiter's shadow (mid-penumbra)
  Scostamento ombra;      // apparent offsets of its shadow's centre; when the
                          // shadow misses the planet, of the shadow axis' point
                          // nearest Jupiter's centre
  bool ombraSulDisco;     // the shadow's centre falls on the disk's visible side
};

struct PosizioniPrecise {
  bool valide;            // false outside 1600-2999 or for a non-finite instant:
                          // then every other field is zero
  double MC;              // System II central meridian, geometric, light-time
                          // corrected, degrees [0, 360)
  double MCIlluminato;    // the same for the middle of the lit part of the disk
  double DE, DS;          // jovicentric (planetocentric) declinations of the Earth
                          // and of the Sun, degrees
  double fase;            // phase angle (Sun-Jupiter-Earth), degrees
  double Delta;           // Earth-Jupiter distance, AU
  SatellitePreciso satelliti[4];  // Io, Europa, Ganymede, Callisto
  std::array<CoppiaMutua, 12> coppie;  // the pairs as mutual events take them
};

// Given the instant (UT and Delta T).
PosizioniPrecise PosizioniAllIstante(IstanteUT istante);

}  // namespace mr
