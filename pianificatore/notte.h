// The chart of one night at the site: local noon to local noon, the sky's
// bands from day to night, Jupiter's altitude and the events of the list.
#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ephemeris/orizzonte.h"
#include "pianificatore/fuso_orario.h"
#include "pianificatore/piano.h"
#include "window/tela.h"

namespace mr {

// A stretch of time under one state of the sky, UT Julian days.
struct Fascia {
  double inizio, fine;
  Cielo cielo;
};

// Jupiter's altitude (degrees) at an instant (UT Julian day).
struct Campione {
  double jdUT, altezza;
};

// A whole hour of the local clock.
struct Tacca {
  double jdUT;
  int ora;  // 0 .. 23
};

struct Notte {
  double inizio, fine;     // UT Julian days of the two local noons (a day of
                           // 23 or 25 hours where the clocks change)
  int anno, mese, giorno;  // the local date of the first noon
  std::vector<Fascia> fasce;     // in time order, from inizio to fine
  std::vector<Campione> giove;   // every 5 minutes, from inizio to fine
  std::vector<Tacca> ore;        // every whole local hour inside
};

// The night that holds jdUT, from the local noon at or before it to the next
// local noon, for the site, with Delta T (seconds). Nothing when the zone
// cannot convert the instants or the night leaves 1600-2999.
std::optional<Notte> NotteDi(double jdUT, const FusoOrario& fuso, const Sito& sito,
                             double deltaT);

// "Notte tra il 09/12/2026 e il 10/12/2026": the two local dates.
std::string TitoloNotte(const Notte& notte);

// The rows of one night: a pair goes with the night of its first row.
struct RigheDellaNotte {
  double istante;  // the first row's instant, UT Julian day
  std::vector<RigaPiano> righe;
};
// The rows, in their order, grouped by the local night (noon to noon) they
// fall in; rows the zone cannot convert are left out.
std::vector<RigheDellaNotte> RighePerNotte(std::span<const RigaPiano> righe,
                                           const FusoOrario& fuso);

// What the chart shows besides the night.
struct AspettoNotte {
  double larghezza = 800, altezza = 260;  // the canvas, pixels
  double altezzaMinima = 10;              // Jupiter's, degrees: a line across
  std::string titolo;                     // top left
  std::optional<double> scelto;           // the instant of the chosen event
};

// The chart on the canvas, in pixels from its top left corner: the sky's
// bands above the horizon and the ground below it, altitudes from -20 to 90
// degrees, Jupiter's altitude, the horizon and the minimum altitude, the
// local hours along the bottom, and a mark for each row of the night with
// its label above the chart (the chosen one thicker, those not observable in
// grey).
void DisegnaNotte(Tela& tela, const Notte& notte, std::span<const RigaPiano> righe,
                  const AspettoNotte& aspetto);

// The chart's colours, so a view or a test can tell the parts apart.
Colore ColoreCielo(Cielo c);
Colore ColoreGenere(Genere g);
inline constexpr Colore ColoreGiove = RGB(255, 200, 64);
inline constexpr Colore ColoreTerreno = RGB(58, 52, 44);
inline constexpr Colore ColoreOrizzonte = RGB(236, 236, 236);
inline constexpr Colore ColoreMinima = RGB(230, 70, 70);
inline constexpr Colore ColoreNonOsservabile = RGB(150, 150, 150);

}  // namespace mr
