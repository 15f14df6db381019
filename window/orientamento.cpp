#include "window/orientamento.h"

namespace mr {

namespace {

struct Voce {
  Orientamento o;
  std::string_view nome, chiave;
  Ribaltamento ribaltamento;
};

constexpr std::array<Voce, 4> voci{{
    {Orientamento::Diretta, "Diretta (Nord in alto, Est a sinistra)", "diretta", {false, false}},
    {Orientamento::Capovolta, "Capovolta (Sud in alto)", "capovolta", {true, true}},
    {Orientamento::Speculare, "Speculare (Nord in alto, Est a destra)", "speculare",
     {true, false}},
    {Orientamento::SpecularCapovolta, "Speculare capovolta", "speculare_capovolta",
     {false, true}},
}};

const Voce& VoceDi(Orientamento o) {
  for (const Voce& v : voci)
    if (v.o == o) return v;
  return voci[0];
}

}  // namespace

std::string_view NomeOrientamento(Orientamento o) { return VoceDi(o).nome; }

std::string_view ChiaveOrientamento(Orientamento o) { return VoceDi(o).chiave; }

Orientamento OrientamentoDaChiave(std::string_view chiave, Orientamento predefinita) {
  for (const Voce& v : voci)
    if (v.chiave == chiave) return v.o;
  return predefinita;
}

Ribaltamento RibaltamentoDi(Orientamento o) { return VoceDi(o).ribaltamento; }

PuntoPiano Orienta(Orientamento o, PuntoPiano p, double x1, double y1, double x2, double y2) {
  const Ribaltamento r = RibaltamentoDi(o);
  return {r.orizzontale ? x1 + x2 - p.x : p.x, r.verticale ? y1 + y2 - p.y : p.y};
}

PuntiCardinali CardinaliDi(Orientamento o) {
  const Ribaltamento r = RibaltamentoDi(o);
  return {r.verticale ? "S" : "N", r.orizzontale ? "O" : "E", r.orizzontale ? "E" : "O"};
}

std::string TestoPolo(Orientamento o) { return "Polo   " + std::string(CardinaliDi(o).alto); }

}  // namespace mr
