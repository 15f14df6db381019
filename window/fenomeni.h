// The tests that decide what the satellites show: which half of its orbit a
// satellite is on, whether the disk hides it, whether Jupiter's shadow eclipses it.
// u and psi in degrees; X, Y offsets and the disk radius in the same unit.
// Then the same for the Great Red Spot's markers and transit.
#pragma once

namespace mr {

// Near half of the orbit (in front of the planet): entering 0 <= u < 90, leaving 270 < u <= 360.
inline bool MetaVicinaEntrata(double u) { return 0 <= u && u < 90; }
inline bool MetaVicinaUscita(double u) { return 270 < u && u <= 360; }

// Half-width, in degrees of u, of the arc of the orbit inside Jupiter's shadow
// for a satellite at distance r whose offset across the equator is Y; 0 when
// |Y| is not below the disk radius.
double SemiampiezzaOmbra(double Y, double r, double raggioDisco);

// On the disk: a satellite on the far half (90 <= u <= 270) is seen unless it
// is behind the disk (on or inside its outline) or in the shadow window
// 180 + psi +- w, both ends included. u = 270 is taken as the far half.
bool VisibileSullaMetaLontana(double u, double psi, double w, double X, double Y,
                              double raggioDisco);

// On the panel: outside the disk outline, |Y| below the disk radius and u
// strictly inside the window 180 + psi +- semiampiezza.
bool EclissatoNelPannello(double u, double psi, double semiampiezza, double X, double Y,
                          double raggioDisco);

// The panel announces an eclipse of satellite i (0 Io .. 3 Callisto) inside a
// fixed window of half-width 2, 0.3, 0.15 or 0.07 degrees of u; offsets and
// the disk's radius in the same unit (5 on the panel).
bool EclisseAnnunciata(int i, double u, double psi, double X, double Y, double raggioDisco);

// The shadow of satellite i stands near the central meridian (the animation's
// stop) when -lim < XS < lim, with lim 8.5 for Io and 7.5 for the others, and
// -127 <= YS <= 127 (offsets at the disk's scale, 126).
bool OmbraVicinoAlMeridiano(int i, double XS, double YS);

// Radii on the disk, in its units: each satellite and its shadow.
inline constexpr double RaggioSatellite[4] = {3.2, 2.8, 4.6, 4.2};
inline constexpr double RaggioOmbra[4] = {2.9, 2.3, 3.9, 2.8};

// The Great Red Spot at angle a on the disk (degrees, 90 on the central
// meridian; cosines with pi = 3.141592654). The panel's small marker is drawn
// when a < 180 and |5 cos a| < 4.5; the oval on the disk when a <= 180 and
// |121 cos a| <= 111; the spot is on the central meridian when 87.5 <= a <= 92.5.
bool MacchiaSulPannello(double a);
bool MacchiaSulDisco(double a);
bool MacchiaAlMeridiano(double a);

// The Red Spot crossed the central meridian between two frames: the meridian
// less the Spot's longitude (degrees, System II) went from below 0 to 0 or
// above, by less than 180 degrees. A frame that turns the planet by a little
// more than 5 degrees may step over the window above; this catches it.
bool MacchiaPassata(double omegaPrima, double LPrima, double omega, double L);

}  // namespace mr
