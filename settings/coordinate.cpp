#include "settings/coordinate.h"

#include "ephemeris/numeri.h"
#include "settings/file_impostazioni.h"

#include <utility>

namespace mr {

Coordinate::Coordinate(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}

void Coordinate::Form_Load() {
  LetturaImp lettura = LeggiImp(cartella_);
  Text1 = TestoNumero(lettura.imp.longitudineMacchia);
  Text2 = TestoNumero(lettura.imp.longGradi);
  Text3 = TestoNumero(lettura.imp.longPrimi);
  Text4 = TestoNumero(lettura.imp.latGradi);
  Text5 = TestoNumero(lettura.imp.latPrimi);
  Text6 = TestoNumero(lettura.imp.deltaT);
  Problema = lettura.mancante ? "Il file " + std::string(NomeImp) +
                                    " non esiste: sono mostrati i valori predefiniti, "
                                    "\"Salva\" lo crea"
                              : TestoErrori(lettura);
  Aperta = true;
}

std::string Coordinate::Salva_Click() {
  const Impostazioni imp{LeggiNumero(Text1), LeggiNumero(Text2), LeggiNumero(Text3),
                         LeggiNumero(Text4), LeggiNumero(Text5), LeggiNumero(Text6)};
  std::optional<ErroreFile> errore = ScriviImp(cartella_, imp);
  if (!errore) {
    Problema.clear();
    return "";
  }
  return TestoErrore(*errore);
}

void Coordinate::OK_Click() { Aperta = false; }

}  // namespace mr
