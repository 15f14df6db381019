// The observing planner's list: which events of the finder it shows, which of
// them the site can watch, and the two contacts of one phenomenon side by side.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ephemeris/eventi.h"
#include "pianificatore/filtro.h"

namespace mr {

// The kinds of phenomena the user picks from.
enum class Genere { Macchia, Transiti, Ombre, Occultazioni, Eclissi };
inline constexpr std::array<Genere, 5> Generi{Genere::Macchia, Genere::Transiti, Genere::Ombre,
                                              Genere::Occultazioni, Genere::Eclissi};
// "Macchia Rossa", "Transiti", "Ombre", "Occultazioni", "Eclissi".
const char* NomeGenere(Genere g);
Genere GenereDi(CodiceEvento codice);

// The sky at the site by the Sun's altitude h (degrees): night for h <= -18,
// astronomical twilight up to -12, nautical up to -6, civil up to 0, day
// above (a boundary belongs to the darker state). Day for a NaN.
enum class Cielo { Notte, CrepuscoloAstronomico, CrepuscoloNautico, CrepuscoloCivile, Giorno };
inline constexpr std::array<Cielo, 5> Cieli{Cielo::Notte, Cielo::CrepuscoloAstronomico,
                                            Cielo::CrepuscoloNautico, Cielo::CrepuscoloCivile,
                                            Cielo::Giorno};
Cielo CieloDi(double altSole);
// The state as the list shows it: "Notte", "Crepuscolo astronomico",
// "Crepuscolo nautico", "Crepuscolo civile", "Giorno".
const char* NomeCielo(Cielo c);
// The filter's choice of sky, the darkest first: "Notte" ... "Crepuscolo
// civile", "Anche di giorno".
const char* NomeSceltaCielo(Cielo c);
// The highest Sun (degrees) the choice allows: -18, -12, -6, 0, or 90 (any).
double SoleMassimo(Cielo c);

// What the user asked to list.
struct SceltaEventi {
  std::array<bool, Generi.size()> generi{true, true, true, true, true};  // by Genere
  std::array<bool, 4> satelliti{true, true, true, true};  // Io .. Callisto
  int giorni = 7;                                         // 1 .. 366
  bool soloOsservabili = true;
  double altezzaMinima = 10;  // Jupiter's, degrees, 0 .. 90
  Cielo cielo = Cielo::CrepuscoloNautico;
  bool operator==(const SceltaEventi&) const = default;
};

// The choice's altitude and sky as a filter.
FiltroVisibili FiltroDi(const SceltaEventi& scelta);

// One row of the list.
struct RigaPiano {
  Evento evento;
  bool osservabile;  // false: listed only because the filter is off (greyed)
  int gruppo;        // the two rows of a phenomenon share it; rows apart differ
  // On the egress (or reappearance) row right after its ingress: the
  // ingress's instant, UT Julian day. Nothing on any other row.
  std::optional<double> inizioCoppia;
  bool operator==(const RigaPiano&) const = default;
};

// The rows for a time-ordered list of events: those of the chosen kinds and
// satellites (the Red Spot's whatever the satellites), and with the filter on
// only those the site can watch. The ingress and the egress of the same
// transit, shadow, occultation or eclipse, when both are listed, make a
// pair: the egress row comes right after the ingress row, with the duration.
// Order: each phenomenon at the time of its first row, so events that fall
// between the two contacts of a pair follow the pair.
std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi, const SceltaEventi& scelta);

// The same for every kind and satellite: with a filter, only the events
// that pass it; without, all of them (each then counts as observable).
std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi,
                                  std::optional<FiltroVisibili> filtro);

// The rows by time, earliest first or (crescente false) latest first: the
// phenomena are ordered by the time of their first rows, and a pair stays
// together, ingress above egress, either way.
std::vector<RigaPiano> OrdinaPerTempo(std::vector<RigaPiano> righe, bool crescente);

// The description of the list: DescrizioneEvento, and for a contact hidden by
// the other phenomenon where the satellite is ("Io: fine dell'occultazione
// (nell'ombra di Giove)", "Io: inizio dell'eclisse (dietro Giove)").
std::string TestoEvento(const Evento& e);

// "2 h 05 min", "45 min": the time from inizio to fine (UT Julian days),
// counted between the two instants rounded to the minute as the list shows
// them; "" when it is not finite or negative.
std::string TestoDurata(double inizio, double fine);

// "35°", "-3°": an altitude in whole degrees; "-" when not finite.
std::string TestoGradi(double gradi);

}  // namespace mr
