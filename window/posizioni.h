// Where the satellites and their shadows stand at one instant, and what each
// of them shows, at the scale of one drawing: the equatorial radius is S units
// (5 on the satellite panel, 126 on the disk). Either ephemeris fills it; the
// panel, Ombre and the animation's stops read nothing else, so they never know
// which one made it.
#pragma once
#include <vector>

#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/satelliti.h"

namespace mr {

// The half of its orbit a satellite is on, as the drawing order takes them:
// the near half (nearer the Earth than Jupiter's centre) split by the side of
// the disk, right (X >= 0) first, then left; then the far half.
enum class Meta { VicinaDestra, VicinaSinistra, Lontana };

struct SatelliteDisegnato {
  double X, Y;          // the satellite: X along the equator (right, west),
                        // Y across it (up, north), in drawing units
  double XS, YS;        // its shadow, the same way
  Meta meta;
  bool dietroIlDisco;   // behind the disk (the panel draws it white over the white disk)
  bool visibile;        // seen: neither behind the disk nor in Jupiter's shadow
  bool eclissato;       // in Jupiter's shadow, beside the disk (the panel draws it black)
  bool annunciato;      // the panel announces its eclipse
  bool ombraVisibile;   // its shadow is drawn
};

struct PosizioniDisegno {
  double DE;                       // the Earth's jovicentric declination, degrees
  SatelliteDisegnato satelliti[4];  // Io, Europa, Ganymede, Callisto
  std::vector<CoppiaMutua> coppie;  // the pairs as mutual events take them, from
                                    // the precise ephemeris only
};

// From the short series at scale S, with the Earth's declination DE (degrees)
// as the De field gives it back. The halves come from the angle u; the disk
// hides a far satellite on or inside its outline (radius S), the shadow window
// 180 + psi +- w eclipses it; the panel blackens one strictly inside that
// window and announces one inside a fixed window of half-width 2, 0.3, 0.15 or
// 0.07 degrees of u; the shadow of every satellite on the near half is drawn,
// also beyond the limb.
PosizioniDisegno PosizioniDalleSerie(const SerieSatelliti& serie, double DE, double S);

// From the precise ephemeris at the instant (ora) and one animation step
// (0.005745343 day) earlier (prima), at scale S: its offsets in equatorial
// radii times S and its states as they are. The panel blackens a satellite
// while its centre is in the shadow and not behind the disk, and announces
// the eclipse in the step in which it began, so at the disappearance; a
// shadow is drawn while its centre falls on the visible disk. The pairs are
// the instant's.
PosizioniDisegno PosizioniDallaPrecisa(const PosizioniPrecise& ora, const PosizioniPrecise& prima,
                                       double S);

}  // namespace mr
