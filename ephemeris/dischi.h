// Uniform disks in a plane: how much of one another they cover, and the light a
// satellite's disk loses when another satellite or its shadow covers it.
#pragma once

namespace mr {

// Area common to two disks of radii r1, r2 (>= 0) whose centres are d (>= 0)
// apart, in the square of their unit. Closed form (two circular segments).
double AreaComune(double r1, double r2, double d);

enum class GenereMutuo {
  Parziale,
  Totale,   // occultation: B's disk wholly behind A's; eclipse: B wholly in the umbra
  Anulare,  // occultation: A's disk wholly inside B's; eclipse: the umbra (or the
            // antumbra, past the umbra's vertex) wholly inside B's disk
};

// A mutual occultation: A's disk (radius rA) in front of B's (radius rB), the
// centres d apart, all lengths in one unit (e.g. km at B's distance).
GenereMutuo GenereOccultazione(double rA, double rB, double d);

// The magnitude drop of the combined light of A and B, each a uniform disk as
// bright as its magnitude mA, mB: 0 when the disks do not overlap.
double CaloOccultazione(double rA, double rB, double d, double mA, double mB);

// A mutual eclipse, in the plane through B's centre across the shadow's axis.
// Seen from a point of that plane at distance r from the axis, the Sun's disk and
// A's are two disks whose centres are r apart and whose radii are rSole = R_sun
// s / D and rAttivo = R_A (D + s) / D (the angles scaled by s (D + s) / D; D the
// Sun-A distance, s from A to the plane along the axis). The umbra is the circle
// r < rAttivo - rSole, the penumbra's edge r = rAttivo + rSole; B's disk (radius
// rB) has its centre d from the axis.
struct OmbraMutua {
  double rSole, rAttivo;
};

GenereMutuo GenereEclisse(const OmbraMutua& o, double rB, double d);

// The fraction of B's light left, [0, 1]: B a uniform disk lit by a uniform
// solar disk, the penumbra included. Integrated over the distance from the axis
// (Gauss-Legendre between the kinks of the integrand), to about 1e-6.
double LuceInOmbra(const OmbraMutua& o, double rB, double d);

// The deepest drop an eclipse is given, magnitudes: B wholly in the umbra, or
// so nearly that it keeps under 10^-3.996 of its light.
inline constexpr double CaloMassimoEclisse = 9.99;

// The magnitude drop of B, -2.5 log10 of the light left, at most
// CaloMassimoEclisse.
double CaloEclisse(const OmbraMutua& o, double rB, double d);

}  // namespace mr
