// The observing planner's list: which events of the finder it shows, which of
// them the site can watch, and the two contacts of one phenomenon side by side.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ephemeris/eventi.h"
#include "ephemeris/mutui.h"
#include "pianificatore/filtro.h"
#include "pianificatore/fuso_orario.h"

namespace mr {

// The kinds of phenomena the user picks from.
enum class Genere { Macchia, Transiti, Ombre, Occultazioni, Eclissi, Mutui };
inline constexpr std::array<Genere, 6> Generi{Genere::Macchia,      Genere::Transiti,
                                              Genere::Ombre,        Genere::Occultazioni,
                                              Genere::Eclissi,      Genere::Mutui};
// "Macchia Rossa", "Transiti", "Ombre", "Occultazioni", "Eclissi",
// "Fenomeni mutui".
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
  std::array<bool, Generi.size()> generi{true, true, true, true, true, true};  // by Genere
  std::array<bool, 4> satelliti{true, true, true, true};  // Io .. Callisto
  int giorni = 7;                                         // 1 .. 366
  bool soloOsservabili = true;
  double altezzaMinima = 10;  // Jupiter's, degrees, 0 .. 90
  Cielo cielo = Cielo::CrepuscoloNautico;
  bool operator==(const SceltaEventi&) const = default;
};

// The choice's altitude and sky as a filter.
FiltroVisibili FiltroDi(const SceltaEventi& scelta);

// One row of the list: a contact of a phenomenon (or a Red Spot transit), or
// a mutual event, which stands on one row at its maximum.
struct RigaPiano {
  std::variant<Evento, EventoMutuo> evento;
  bool osservabile;  // false: listed only because the filter is off (greyed)
  int gruppo;        // the two rows of a phenomenon share it; rows apart differ
  // On the egress (or reappearance) row right after its ingress: the
  // ingress's instant, UT Julian day. Nothing on any other row.
  std::optional<double> inizioCoppia;
  bool operator==(const RigaPiano&) const = default;

  const Evento* Fenomeno() const { return std::get_if<Evento>(&evento); }
  const EventoMutuo* Mutuo() const { return std::get_if<EventoMutuo>(&evento); }
  // The row's instant, UT Julian day: the contact, or the mutual event's maximum.
  double Istante() const;
  // Jupiter's and the Sun's altitudes at that instant, degrees.
  double AltGiove() const;
  double AltSole() const;
};

Genere GenereDi(const RigaPiano& r);

// The rows for a time-ordered list of events and a list of mutual events:
// those of the chosen kinds and satellites (the Red Spot's whatever the
// satellites; a mutual event when either of its satellites is chosen), and
// with the filter on only those the site can watch (a mutual event at its
// maximum). The ingress and the egress of the same transit, shadow,
// occultation or eclipse, when both are listed, make a pair: the egress row
// comes right after the ingress row, with the duration. Order: each
// phenomenon at the time of its first row, so events that fall between the
// two contacts of a pair follow the pair.
std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi, const SceltaEventi& scelta,
                                  std::span<const EventoMutuo> mutui = {});

// The same for every kind and satellite: with a filter, only the events
// that pass it; without, all of them (each then counts as observable).
std::vector<RigaPiano> RighePiano(std::span<const Evento> eventi,
                                  std::optional<FiltroVisibili> filtro);
std::vector<RigaPiano> RighePiano(std::span<const EventoMutuo> mutui,
                                  std::optional<FiltroVisibili> filtro);

// The rows by time, earliest first or (crescente false) latest first: the
// phenomena are ordered by the time of their first rows, and a pair stays
// together, ingress above egress, either way.
std::vector<RigaPiano> OrdinaPerTempo(std::vector<RigaPiano> righe, bool crescente);

// The description of the list: DescrizioneEvento, and for a contact hidden by
// the other phenomenon where the satellite is ("Io: fine dell'occultazione
// (nell'ombra di Giove)", "Io: inizio dell'eclisse (dietro Giove)").
std::string TestoEvento(const Evento& e);

// The description of the list for a mutual event: DescrizioneMutuoInElenco,
// and where B stands when it is not clear of Jupiter ("Io occulta Europa
// (parziale, calo 0,40 mag), Europa davanti a Giove").
std::string TestoMutuo(const EventoMutuo& e);

// The circumstances of a mutual event, lines ended by line feeds but the last:
//   1 O 2 - massimo 12/02/2027 21:14 CET, Giove a 35°, Notte
//   Dal primo all'ultimo contatto: 21:11 - 21:18 (7 min)
//   Calo 0,40 mag (parziale), distanza minima dei centri 1234 km
// and, when B is not clear of Jupiter, a fourth: "Europa davanti a Giove:
// misura difficile", "Europa dietro Giove: non osservabile", "Io nell'ombra di
// Giove: nessuna ombra, nessuna eclisse". Local times of the zone, to the minute.
std::string DettagliMutuo(const EventoMutuo& e, const FusoOrario& fuso);

// The row's description (TestoEvento or TestoMutuo) and its code: the
// published tables' ("Tr.I", "GRS") or the observers' notation ("1 O 2").
std::string TestoRiga(const RigaPiano& r);
std::string SiglaRiga(const RigaPiano& r);

// The row's duration: on the second row of a pair, from the first contact
// (TestoDurata); on a mutual event, from its first contact to its last, to
// the nearest minute ("< 1 min" under half a minute); "" on any other row.
std::string DurataRiga(const RigaPiano& r);

// "2 h 05 min", "45 min": the time from inizio to fine (UT Julian days),
// counted between the two instants rounded to the minute as the list shows
// them; "" when it is not finite or negative.
std::string TestoDurata(double inizio, double fine);

// "35°", "-3°": an altitude in whole degrees; "-" when not finite.
std::string TestoGradi(double gradi);

}  // namespace mr
