// The Sun's altitude for the twilight state of the sky.
#pragma once

namespace mr {

// The Sun at 0h of a date, T centuries from JD 2415020.0.
struct PosizioneSole {
  double alfa;      // apparent right ascension, degrees in [0, 360)
  double delta;     // declination, radians
  double sinDelta;  // its sine as computed, before the arcsine
};
PosizioneSole CalcolaPosizioneSole(double T);

// Sun's altitude above the observer's horizon, degrees, for 0h of the date of
// the fields (position) and the time of day of the fields (sidereal angle).
// Refraction and parallax are not applied. Longitude positive east.
void CalcolaAltezzaSole(double& altezza, double lon1, double lon2, double lat1, double lat2,
                        float scartoOra, double giorno, double mese, double anno, double ore,
                        double minuti);

}  // namespace mr
