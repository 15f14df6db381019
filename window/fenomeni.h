// The tests that decide what the satellites show: which half of its orbit a
// satellite is on, whether the disk hides it, whether Jupiter's shadow eclipses it.
// u and psi in degrees; X, Y offsets and the disk radius in the same unit.
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

}  // namespace mr
