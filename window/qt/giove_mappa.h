// Jupiter as the program paints it: the disk's parallels, a cylindrical map
// of belts, zones and their details in System II longitude, and the Great
// Red Spot as a patch laid over the map at its own longitude.
#pragma once

#include <QRgb>
#include <array>
#include <vector>

namespace mr::pittura {

// The disk follows the program's parallels: at latitude phi (degrees) the
// parallel lies r(phi) sin(phi) above the centre with half-width
// r(phi) cos(phi), where r(phi) = 117.81 + 8.19 cos(phi), in the picture's
// units. Its outline thus matches the sky painted around the disk and the
// latitude grid.
double SemiLarghezza(double phi);
// Height of the highest parallel above the centre (about 86 degrees: nearer
// the poles the parallels sink a little).
double AltezzaCima();
// Latitude of the parallel standing h above the centre, |h| <= AltezzaCima().
double LatitudineAllAltezza(double h);

// The map: NB rows of 1/3 degree of disk latitude from the north pole, NL
// columns of 1/3 degree of System II longitude.
inline constexpr int NL = 1080;
inline constexpr int NB = 540;
inline constexpr double passo = 1.0 / 3;
// Column of a longitude (degrees, any value; not finite gives column 0).
int Colonna(double lambda);

struct Mappa {
  std::vector<QRgb> texel;  // NB rows of NL
};
const Mappa& MappaGiove();

// The Great Red Spot in its hollow, centred on the spot's longitude:
// premultiplied colour and opacity (0..256) per texel.
struct Toppa {
  int riga0 = 0, righe = 0;  // map rows covered
  int mezza = 0;             // columns -mezza .. mezza-1 around the spot
  std::vector<std::array<int, 3>> colore;
  std::vector<int> alfa;
};
const Toppa& ToppaMacchia();

}  // namespace mr::pittura
