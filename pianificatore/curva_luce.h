// The light curve of a mutual event as a photometrist plots it: the predicted
// drop of the pair's combined light (occultation) or of the eclipsed
// satellite's (eclipse) against time, 0 at the top and deeper downward, with
// the first contact, the maximum and the last contact marked.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/mutui.h"
#include "pianificatore/fuso_orario.h"
#include "window/tela.h"

namespace mr {

struct CurvaEvento {
  EventoMutuo evento;
  double inizio, fine;            // UT Julian days: the span of the chart
  std::vector<PuntoCurva> punti;  // in time order from inizio to fine; the
                                  // contacts and the maximum are among them
};

// The curve of an event from a margin before its first contact to the same
// margin after its last: a fifth of the event's duration, at least 2 minutes.
// Delta T in seconds. Nothing when the event's curve cannot be computed (not a
// pair of satellites, contacts and maximum out of order, instants outside
// 1600-2999, a span over DurataMassimaCurva).
std::optional<CurvaEvento> CurvaDellEvento(const EventoMutuo& e, double deltaT);

struct AspettoCurva {
  double x = 0, y = 0;                    // top left corner of the area, canvas
  double larghezza = 480, altezza = 240;  // units taken as pixels
  std::string titolo;                     // top left
};

// The chart within the area of the canvas, over what is there (the caller sets
// the scale and clears; the texts are ink for the window's face): the title,
// the labels of the three marks with their times to the minute on the zone's
// clock ("inizio 21:44", "massimo 21:48", "fine 21:51"), the plot with the
// drop's axis on its left and the clock's along the bottom, and a caption
// (what is measured, the zone, the date of the maximum). The drop's axis ends
// at the first of 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 3 magnitudes that
// holds the curve; a deeper curve (a total eclipse, 9.99) is drawn clipped at
// 3 and the caption says so.
void DisegnaCurva(Tela& tela, const CurvaEvento& curva, const FusoOrario& fuso,
                  const AspettoCurva& aspetto);

// The deepest drop the axis shows, magnitudes.
inline constexpr double CaloMassimoInScala = 3;

// The chart's colours, so a view or a test can tell the parts apart. Night
// vision keeps their brightness: the curve brightest, the grid dimmest.
inline constexpr Colore ColoreFondoCurva = RGB(10, 14, 40);
inline constexpr Colore ColoreGrigliaCurva = RGB(60, 66, 100);
inline constexpr Colore ColoreCurva = RGB(255, 220, 100);
inline constexpr Colore ColoreContatto = RGB(110, 220, 255);
inline constexpr Colore ColoreMassimo = RGB(255, 110, 110);

}  // namespace mr
