// The eyepiece's orientation: how the telescope shows the planet. The
// program's own picture is the direct view, north up and east left (the sky
// as the naked eye sees it, a satellite's X growing westwards, to the right).
// A Newtonian or a refractor without a diagonal turns it by 180 degrees; a
// star diagonal mirrors it left to right; a diagonal on a telescope that
// inverts mirrors it top to bottom. The views turn the picture area and the
// satellite panel with it; the recorded drawings keep the direct view.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace mr {

enum class Orientamento {
  Diretta,             // north up, east left
  Capovolta,           // turned by 180 degrees: south up, east right
  Speculare,           // mirrored left to right: north up, east right
  SpecularCapovolta,   // mirrored top to bottom: south up, east left
};

inline constexpr std::array<Orientamento, 4> Orientamenti = {
    Orientamento::Diretta, Orientamento::Capovolta, Orientamento::Speculare,
    Orientamento::SpecularCapovolta};

// The choice as the menu names it, e.g. "Capovolta (Sud in alto)".
std::string_view NomeOrientamento(Orientamento o);

// The choice as the settings file stores it ("diretta", "capovolta",
// "speculare", "speculare_capovolta"), and back; any other text gives
// predefinita.
std::string_view ChiaveOrientamento(Orientamento o);
Orientamento OrientamentoDaChiave(std::string_view chiave, Orientamento predefinita);

// Which of the picture's two axes are reversed.
struct Ribaltamento {
  bool orizzontale;  // left and right exchanged
  bool verticale;    // top and bottom exchanged
};
Ribaltamento RibaltamentoDi(Orientamento o);

// A point of a picture area whose corners are (x1, y1) top-left and (x2, y2)
// bottom-right, in any units, and where the orientation puts it: a reversed
// axis runs from the other edge (x -> x1 + x2 - x).
struct PuntoPiano {
  double x, y;
};
PuntoPiano Orienta(Orientamento o, PuntoPiano p, double x1, double y1, double x2, double y2);

// The cardinal points at the picture's edges: the pole at the top ("N" or
// "S") and the limbs' directions on the sky at the left and at the right
// ("E" or "O").
struct PuntiCardinali {
  std::string_view alto, sinistra, destra;
};
PuntiCardinali CardinaliDi(Orientamento o);
// The caption above the picture naming the pole at its top: "Polo   N" or "Polo   S".
std::string TestoPolo(Orientamento o);

}  // namespace mr
