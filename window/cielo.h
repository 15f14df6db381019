// The state of the sky at the observer from the Sun's altitude.
#pragma once
#include "window/tela.h"

namespace mr {

struct Banda {
  Colore colore;
  const char* testo;  // caption of Visibilità
};

// Day, civil, nautical or astronomical twilight, or night for the Sun's
// altitude h (degrees). Every comparison is strict: an altitude exactly on a
// threshold (-0.8, -6.8, -12.8, -18.8) matches no band and gives nullptr.
const Banda* BandaDelCielo(double h);

}  // namespace mr
