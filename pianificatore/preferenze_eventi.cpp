#include "pianificatore/preferenze_eventi.h"

#include "ephemeris/nomi_satelliti.h"

namespace mr {

namespace {

constexpr const char* ChiaviGeneri[] = {"Eventi/macchia",      "Eventi/transiti",
                                        "Eventi/ombre",        "Eventi/occultazioni",
                                        "Eventi/eclissi",      "Eventi/mutui"};
constexpr const char* ChiaviSatelliti[] = {"Eventi/io", "Eventi/europa", "Eventi/ganimede",
                                           "Eventi/callisto"};
constexpr const char* ChiaveGiorni = "Eventi/giorni";
constexpr const char* ChiaveOsservabili = "Eventi/soloOsservabili";
constexpr const char* ChiaveAltezza = "Eventi/altezzaMinima";
constexpr const char* ChiaveCielo = "Eventi/cielo";
constexpr const char* ChiaveFuso = "Eventi/fuso";
constexpr const char* ChiaveGeometria = "Eventi/geometria";

// The sky's choice in the file: "notte", "astronomico", "nautico", "civile", "giorno".
constexpr const char* ChiaviCielo[] = {"notte", "astronomico", "nautico", "civile", "giorno"};
static_assert(std::size(ChiaviCielo) == Cieli.size());
static_assert(std::size(ChiaviGeneri) == Generi.size());

}  // namespace

PreferenzeEventi LeggiPreferenzeEventi(const Preferenze& p) {
  PreferenzeEventi e;
  SceltaEventi& s = e.scelta;
  for (std::size_t i = 0; i < Generi.size(); ++i) s.generi[i] = p.Booleano(ChiaviGeneri[i], s.generi[i]);
  for (std::size_t i = 0; i < NomiSatelliti.size(); ++i)
    s.satelliti[i] = p.Booleano(ChiaviSatelliti[i], s.satelliti[i]);
  s.giorni = p.Intero(ChiaveGiorni, s.giorni, 1, 366);
  s.soloOsservabili = p.Booleano(ChiaveOsservabili, s.soloOsservabili);
  s.altezzaMinima = p.Numero(ChiaveAltezza, s.altezzaMinima, 0, 90);
  const std::string cielo = p.Testo(ChiaveCielo, "");
  for (std::size_t i = 0; i < Cieli.size(); ++i)
    if (cielo == ChiaviCielo[i]) s.cielo = Cieli[i];
  e.fuso = p.Testo(ChiaveFuso, "");
  e.geometria = p.Testo(ChiaveGeometria, "");
  return e;
}

Preferenze PreferenzeDi(const PreferenzeEventi& e) {
  const SceltaEventi& s = e.scelta;
  Preferenze p;
  for (std::size_t i = 0; i < Generi.size(); ++i) p.ImpostaBooleano(ChiaviGeneri[i], s.generi[i]);
  for (std::size_t i = 0; i < NomiSatelliti.size(); ++i)
    p.ImpostaBooleano(ChiaviSatelliti[i], s.satelliti[i]);
  p.ImpostaNumero(ChiaveGiorni, s.giorni);
  p.ImpostaBooleano(ChiaveOsservabili, s.soloOsservabili);
  p.ImpostaNumero(ChiaveAltezza, s.altezzaMinima);
  p.Imposta(ChiaveCielo, ChiaviCielo[static_cast<std::size_t>(s.cielo)]);
  if (!e.fuso.empty()) p.Imposta(ChiaveFuso, e.fuso);
  if (!e.geometria.empty()) p.Imposta(ChiaveGeometria, e.geometria);
  return p;
}

}  // namespace mr
