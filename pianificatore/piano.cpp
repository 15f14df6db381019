#include "pianificatore/piano.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "pianificatore/filtro.h"
#include "pianificatore/fuso_orario.h"
#include "pianificatore/testi_eventi.h"

namespace mr {

namespace {

// The contact that ends the phenomenon an ingress starts, if it is one.
std::optional<CodiceEvento> FineDi(CodiceEvento c) {
  switch (c) {
    case CodiceEvento::TrI: return CodiceEvento::TrE;
    case CodiceEvento::ShI: return CodiceEvento::ShE;
    case CodiceEvento::OcD: return CodiceEvento::OcR;
    case CodiceEvento::EcD: return CodiceEvento::EcR;
    default: return std::nullopt;
  }
}

bool SatelliteScelto(int satellite, const SceltaEventi& s) {
  return satellite >= 1 && satellite <= 4 && s.satelliti[satellite - 1];
}

bool Scelto(const Evento& e, const SceltaEventi& s) {
  if (!s.generi[static_cast<std::size_t>(GenereDi(e.codice))]) return false;
  return e.satellite == 0 || SatelliteScelto(e.satellite, s);
}

bool Scelto(const EventoMutuo& e, const SceltaEventi& s) {
  return s.generi[static_cast<std::size_t>(Genere::Mutui)] &&
         (SatelliteScelto(e.attivo, s) || SatelliteScelto(e.passivo, s));
}

// The event after i (in time order) that ends the phenomenon event i starts:
// the next contact of that satellite and phenomenon, if it is the end.
std::optional<std::size_t> Compagno(std::span<const Evento> e, std::size_t i) {
  const std::optional<CodiceEvento> fine = FineDi(e[i].codice);
  if (!fine) return std::nullopt;
  for (std::size_t j = i + 1; j < e.size(); ++j) {
    if (e[j].satellite != e[i].satellite) continue;
    if (e[j].codice == *fine) return j;
    if (e[j].codice == e[i].codice) return std::nullopt;
  }
  return std::nullopt;
}

// The rows of the events that scelto keeps, and with solo only those that
// pass the filter; without a filter every event counts as observable.
template <class Scelto>
std::vector<RigaPiano> Righe(std::span<const Evento> eventi, Scelto scelto,
                             std::optional<FiltroVisibili> filtro, bool solo) {
  const auto osservabile = [&](const Evento& e) { return !filtro || Visibile(e, *filtro); };
  const auto tenuto = [&](const Evento& e) { return scelto(e) && (!solo || osservabile(e)); };
  // The pairs are found in the whole list, where the contacts of a satellite
  // alternate, so a contact left out never pairs two different phenomena.
  std::vector<RigaPiano> righe;
  std::vector<bool> messo(eventi.size(), false);
  for (std::size_t i = 0; i < eventi.size(); ++i) {
    if (messo[i] || !tenuto(eventi[i])) continue;
    const int gruppo = static_cast<int>(righe.size());
    righe.push_back({eventi[i], osservabile(eventi[i]), gruppo, std::nullopt});
    const std::optional<std::size_t> j = Compagno(eventi, i);
    if (j && tenuto(eventi[*j])) {
      righe.push_back({eventi[*j], osservabile(eventi[*j]), gruppo, eventi[i].jdUT});
      messo[*j] = true;
    }
  }
  return righe;
}

// The rows of the mutual events that scelto keeps, one each, numbered on
// from primoGruppo, and with solo only those that pass the filter.
template <class Scelto>
std::vector<RigaPiano> Righe(std::span<const EventoMutuo> mutui, Scelto scelto,
                             std::optional<FiltroVisibili> filtro, bool solo, int primoGruppo) {
  std::vector<RigaPiano> righe;
  for (const EventoMutuo& e : mutui) {
    const bool osservabile = !filtro || Visibile(e, *filtro);
    if (scelto(e) && (!solo || osservabile))
      righe.push_back({e, osservabile, primoGruppo + static_cast<int>(righe.size()), std::nullopt});
  }
  return righe;
}

// "2 h 05 min", "45 min".
std::string TestoMinuti(long minuti) {
  char testo[40];
  if (minuti < 60)
    std::snprintf(testo, sizeof testo, "%ld min", minuti);
  else
    std::snprintf(testo, sizeof testo, "%ld h %02ld min", minuti / 60, minuti % 60);
  return testo;
}

}  // namespace

double RigaPiano::Istante() const {
  const EventoMutuo* m = Mutuo();
  return m ? m->jdMassimo : std::get<Evento>(evento).jdUT;
}

double RigaPiano::AltGiove() const {
  return std::visit([](const auto& e) { return e.altGiove; }, evento);
}

double RigaPiano::AltSole() const {
  return std::visit([](const auto& e) { return e.altSole; }, evento);
}

Genere GenereDi(const RigaPiano& r) {
  const Evento* e = r.Fenomeno();
  return e ? GenereDi(e->codice) : Genere::Mutui;
}

const char* NomeGenere(Genere g) {
  switch (g) {
    case Genere::Macchia: return "Macchia Rossa";
    case Genere::Transiti: return "Transiti";
    case Genere::Ombre: return "Ombre";
    case Genere::Occultazioni: return "Occultazioni";
    case Genere::Eclissi: return "Eclissi";
    case Genere::Mutui: break;
  }
  return "Fenomeni mutui";
}

Genere GenereDi(CodiceEvento codice) {
  switch (codice) {
    case CodiceEvento::TrI:
    case CodiceEvento::TrE: return Genere::Transiti;
    case CodiceEvento::ShI:
    case CodiceEvento::ShE: return Genere::Ombre;
    case CodiceEvento::OcD:
    case CodiceEvento::OcR: return Genere::Occultazioni;
    case CodiceEvento::EcD:
    case CodiceEvento::EcR: return Genere::Eclissi;
    case CodiceEvento::GRS: break;
  }
  return Genere::Macchia;
}

Cielo CieloDi(double altSole) {
  if (altSole <= -18) return Cielo::Notte;
  if (altSole <= -12) return Cielo::CrepuscoloAstronomico;
  if (altSole <= -6) return Cielo::CrepuscoloNautico;
  if (altSole <= 0) return Cielo::CrepuscoloCivile;
  return Cielo::Giorno;
}

const char* NomeCielo(Cielo c) {
  switch (c) {
    case Cielo::Notte: return "Notte";
    case Cielo::CrepuscoloAstronomico: return "Crepuscolo astronomico";
    case Cielo::CrepuscoloNautico: return "Crepuscolo nautico";
    case Cielo::CrepuscoloCivile: return "Crepuscolo civile";
    case Cielo::Giorno: break;
  }
  return "Giorno";
}

const char* NomeSceltaCielo(Cielo c) { return c == Cielo::Giorno ? "Anche di giorno" : NomeCielo(c); }

double SoleMassimo(Cielo c) {
  switch (c) {
    case Cielo::Notte: return -18;
    case Cielo::CrepuscoloAstronomico: return -12;
    case Cielo::CrepuscoloNautico: return -6;
    case Cielo::CrepuscoloCivile: return 0;
    case Cielo::Giorno: break;
  }
  return 90;
}

FiltroVisibili FiltroDi(const SceltaEventi& scelta) {
  return {scelta.altezzaMinima, SoleMassimo(scelta.cielo)};
}

std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi, const SceltaEventi& scelta,
                                  std::span<const EventoMutuo> mutui) {
  const auto scelto = [&](const auto& e) { return Scelto(e, scelta); };
  std::vector<RigaPiano> righe = Righe(eventi, scelto, FiltroDi(scelta), scelta.soloOsservabili);
  const std::vector<RigaPiano> altre = Righe(mutui, scelto, FiltroDi(scelta), scelta.soloOsservabili,
                                             static_cast<int>(righe.size()));
  if (altre.empty()) return righe;
  righe.insert(righe.end(), altre.begin(), altre.end());
  return OrdinaPerTempo(std::move(righe), true);
}

std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi,
                                  std::optional<FiltroVisibili> filtro) {
  if (filtro) return Righe(eventi, [](const Evento&) { return true; }, *filtro, true);
  // No limit: every event passes, hidden contacts included.
  return Righe(eventi, [](const Evento&) { return true; }, std::nullopt, false);
}

std::vector<RigaPiano> RighePiano(std::span<const EventoMutuo> mutui,
                                  std::optional<FiltroVisibili> filtro) {
  return Righe(mutui, [](const EventoMutuo&) { return true; }, filtro, filtro.has_value(), 0);
}

std::vector<RigaPiano> OrdinaPerTempo(std::vector<RigaPiano> righe, bool crescente) {
  // Each phenomenon's first row and its time; the pairs' rows are adjacent.
  struct Gruppo {
    double inizio;
    std::size_t primo, quante;
  };
  std::vector<Gruppo> gruppi;
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (i > 0 && righe[i].gruppo == righe[i - 1].gruppo)
      ++gruppi.back().quante;
    else
      gruppi.push_back({righe[i].Istante(), i, 1});
  }
  std::stable_sort(gruppi.begin(), gruppi.end(), [crescente](const Gruppo& a, const Gruppo& b) {
    return crescente ? a.inizio < b.inizio : a.inizio > b.inizio;
  });
  std::vector<RigaPiano> ordinate;
  ordinate.reserve(righe.size());
  for (const Gruppo& g : gruppi)
    for (std::size_t k = 0; k < g.quante; ++k) ordinate.push_back(righe[g.primo + k]);
  return ordinate;
}

std::string TestoEvento(const Evento& e) {
  std::string testo = DescrizioneEvento(e);
  if (!e.nascosto) return testo;
  const bool occultazione = e.codice == CodiceEvento::OcD || e.codice == CodiceEvento::OcR;
  return testo + (occultazione ? " (nell'ombra di Giove)" : " (dietro Giove)");
}

std::string TestoMutuo(const EventoMutuo& e) {
  const std::string nota = NotaPosizione(e);
  return DescrizioneMutuoInElenco(e) + (nota.empty() ? "" : ", " + nota);
}

std::string DettagliMutuo(const EventoMutuo& e, const FusoOrario& fuso) {
  std::string d = NotazioneMutuo(e) + " - massimo " + TestoOraLocale(fuso, e.jdMassimo) +
                  ", Giove a " + TestoGradi(e.altGiove) + ", " + NomeCielo(CieloDi(e.altSole));
  d += "\nDal primo all'ultimo contatto: " + TestoOra(fuso, e.jdInizio) + " - " +
       TestoOra(fuso, e.jdFine) + " (" + DurataRiga({e, true, 0, std::nullopt}) + ")";
  std::string calo = CaloInElenco(e);
  calo[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(calo[0])));
  d += "\n" + calo + " (" + NomeGenereMutuo(e.genere) + "), distanza minima dei centri " +
       TestoDecimali(e.impattoKm, 0) + " km";
  const std::string nota = NotaPosizione(e);
  if (e.giove == PosizioneMutuo::AttivoInOmbra)
    d += "\n" + nota + ": nessuna ombra, nessuna eclisse";
  else if (!nota.empty())
    d += "\n" + nota + (Osservabile(e.giove) ? ": misura difficile" : ": non osservabile");
  return d;
}

std::string TestoRiga(const RigaPiano& r) {
  const EventoMutuo* m = r.Mutuo();
  return m ? TestoMutuo(*m) : TestoEvento(std::get<Evento>(r.evento));
}

std::string SiglaRiga(const RigaPiano& r) {
  const EventoMutuo* m = r.Mutuo();
  return m ? NotazioneMutuo(*m) : SiglaEvento(std::get<Evento>(r.evento).codice);
}

std::string DurataRiga(const RigaPiano& r) {
  // A mutual event shows one instant, its maximum: its length is counted
  // whole, and one shorter than half a minute is not called none.
  if (const EventoMutuo* m = r.Mutuo()) {
    const double minuti = (m->jdFine - m->jdInizio) * 1440;
    if (!std::isfinite(minuti) || minuti < 0) return "";
    return minuti < 0.5 ? "< 1 min" : TestoMinuti(std::lround(minuti));
  }
  return r.inizioCoppia ? TestoDurata(*r.inizioCoppia, r.Istante()) : "";
}

std::string TestoDurata(double inizio, double fine) {
  const double giorni = MinutoPiuVicino(fine) - MinutoPiuVicino(inizio);
  if (!std::isfinite(giorni) || giorni < 0) return "";
  return TestoMinuti(std::lround(giorni * 1440));
}

std::string TestoGradi(double gradi) {
  if (!std::isfinite(gradi)) return "-";
  const long intero = std::lround(gradi);
  return std::to_string(intero) + "\u00b0";
}

}  // namespace mr
