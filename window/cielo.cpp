#include "window/cielo.h"

namespace mr {

const Banda* BandaDelCielo(double h) {
  static const Banda giorno{RGB(192, 192, 255), "               Giorno"};
  static const Banda civile{RGB(128, 128, 255), "        Crepuscolo civile"};
  static const Banda nautico{RGB(0, 0, 255), "       Crepuscolo nautico"};
  static const Banda astronomico{RGB(0, 0, 192), "    Crepuscolo astronomico"};
  static const Banda notte{RGB(0, 0, 128), "               Notte"};
  if (h > -0.8) return &giorno;
  if (-6.8 < h && h < -0.8) return &civile;
  if (-12.8 < h && h < -6.8) return &nautico;
  if (-18.8 < h && h < -12.8) return &astronomico;
  if (h < -18.8) return &notte;
  return nullptr;
}

}  // namespace mr
