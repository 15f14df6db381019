#include "window/vista.h"

namespace mr {

SceltaVista LeggiVista(const Preferenze& p) {
  SceltaVista s;
  s.orientamento = OrientamentoDaChiave(p.Testo(ChiaveVistaOrientamento, ""), s.orientamento);
  s.visioneNotturna = p.Booleano(ChiaveVistaNotturna, s.visioneNotturna);
  return s;
}

Preferenze PreferenzeVista(const SceltaVista& s) {
  Preferenze p;
  p.Imposta(ChiaveVistaOrientamento, ChiaveOrientamento(s.orientamento));
  p.ImpostaBooleano(ChiaveVistaNotturna, s.visioneNotturna);
  return p;
}

}  // namespace mr
