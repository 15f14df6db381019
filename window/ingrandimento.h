// The enlarged view of a mutual event for the satellite panel, whose dots are
// far too small to show one: two satellites' disks in their true sizes, A's
// over B's (occultation) or the umbra and penumbra of A's shadow on B
// (eclipse), with their names, north up and west to the right as on the panel.
#pragma once
#include <optional>
#include <span>

#include "ephemeris/mutui.h"
#include "window/tela.h"

namespace mr {

// The satellites' colours on the panel: Io, Europa, Ganymede, Callisto.
inline constexpr Colore ColoriPannello[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 200, 255),
                                             RGB(255, 0, 255)};

// The outlines of the shadow's cross-section: penumbra, umbra.
inline constexpr Colore ColoreContornoPenombra = RGB(110, 110, 110);
inline constexpr Colore ColoreContornoOmbra = RGB(60, 60, 60);

struct Ingrandimento {
  CoppiaMutua coppia;                  // the pair shown
  std::optional<CoppiaMutua> insieme;  // the same A and B in the other kind of event,
                                       // as near (near opposition the two come together)
};

// The pair to enlarge: of those whose distance is under three times the
// distance at which they touch (rA + rSole + rB), the nearest in that measure.
// Nothing when no pair is so near.
std::optional<Ingrandimento> DaIngrandire(std::span<const CoppiaMutua> coppie);

// The view's size in the panel's pixels.
inline constexpr double LarghezzaIngrandimento = 300, AltezzaIngrandimento = 40;

// The view in its own scale, (0, 0) to (LarghezzaIngrandimento,
// AltezzaIngrandimento), a unit a pixel: the box cleared to its canvas's
// background (the panel's, sfondo, on which the names are inked) and framed,
// B's disk, the shadow on it (the umbra black, the penumbra in bands darkened
// by the sunlight they lose) with the outlines of the shadow's cross-section,
// A's disk in front, and the names beside them ("Io", "ombra di Io", "Io e la
// sua ombra"). One scale for an event: with A's disk the box's height holds
// twice the distance at which the two touch; with the shadow alone B's
// diameter takes 80% of it, and the outlines are cut at the drawing's edges.
void DisegnaIngrandimento(Tela& tela, const Ingrandimento& ingrandimento, Colore sfondo);

}  // namespace mr
