// The events of the finder as users read them: the Italian description of
// each, one JSON object per line, and a text table for the terminal.
#pragma once
#include <span>
#include <string>

#include "ephemeris/eventi.h"
#include "ephemeris/mutui.h"

namespace mr {

// "Io: inizio del transito", "Ombra di Europa: fine del transito",
// "Callisto: inizio dell'eclisse", "Macchia Rossa al meridiano centrale", ...
std::string DescrizioneEvento(const Evento& e);

// "AAAA-MM-GGThh:mm:ssZ": the UT instant rounded to the nearest second; "" for
// a day that has no calendar date.
std::string TestoUTC(double jdUT);

// x with the given decimals, a point as the separator whatever the locale, no
// minus sign when it rounds to zero; "" when x is not finite.
std::string TestoDecimali(double x, int cifre);

// One JSON object on one line, without its line end, with the keys "utc",
// "evento", "satellite", "alt_giove", "alt_sole" (degrees, two decimals; null
// if not finite), "nascosto" and "descrizione", in this order.
std::string RigaJson(const Evento& e);

// One such line for each event, each ended by a line feed.
std::string RigheJson(std::span<const Evento> eventi);

// The Italian table of the events, one a line after a heading: UT date and
// time, code, description, Jupiter's and the Sun's altitudes (0.1 degree) and
// "nascosto" for a contact hidden by the other phenomenon. Fixed columns, so
// that the lists of different windows line up; "Nessun evento." under the
// heading when the list is empty.
std::string TabellaEventi(std::span<const Evento> eventi);

// ---- mutual events ------------------------------------------------------------

// The observers' notation: "1 O 2" (Io occults Europa), "3 E 1" (Ganymede
// eclipses Io); the satellites by number, Io 1 to Callisto 4.
std::string NotazioneMutuo(const EventoMutuo& e);

// "parziale", "totale", "anulare".
const char* NomeGenereMutuo(GenereMutuo g);

// "Io occulta Europa (parziale, calo 0,42 mag)", "Ganimede eclissa Io
// (totale, calo 9,99 mag)": the drop to 0.01 mag, with a decimal comma.
std::string DescrizioneMutuo(const EventoMutuo& e);

// The drop as the lists show it, to 0.05 mag (all a prediction promises):
// "0,40 mag"; "< 0,05 mag" under 0.025; "-" when not finite.
std::string TestoCalo(double caloMag);

// The drop of a mutual event as the lists show it: "calo 0,40 mag" (TestoCalo),
// or for a total eclipse, which leaves B in the umbra, and for an eclipse
// whose drop reaches CaloMassimoEclisse, "Io scompare".
std::string CaloInElenco(const EventoMutuo& e);

// The description as the lists show it: the drop to 0.05 mag, and B gone
// from sight in a total eclipse: "Io occulta Europa (parziale, calo 0,40
// mag)", "Ganimede eclissa Io (totale, Io scompare)".
std::string DescrizioneMutuoInElenco(const EventoMutuo& e);

// Where B stands when it is not clear of Jupiter: "Europa dietro Giove",
// "Europa nell'ombra di Giove", "Io nell'ombra di Giove" (A, which then casts
// no shadow), "Europa davanti a Giove"; "" when clear.
std::string NotaPosizione(const EventoMutuo& e);

// One JSON object on one line, without its line end, with the keys "tipo",
// "attivo", "passivo", "inizio", "massimo", "fine" (UT to the second),
// "impatto_km" (one decimal), "calo_mag" (three), "alt_giove", "alt_sole"
// (two; null if not finite), "giove" (SiglaPosizione) and "descrizione"
// (DescrizioneMutuo), in this order.
std::string RigaJsonMutuo(const EventoMutuo& e);

// One such line for each event, each ended by a line feed.
std::string RigheJsonMutui(std::span<const EventoMutuo> eventi);

// The Italian table of the mutual events, one a line after a heading: the UT
// date of the maximum, the first contact, the maximum and the last contact
// (UT, to the minute), the notation, DescrizioneMutuoInElenco, Jupiter's and the
// Sun's altitudes at the maximum (0.1 degree) and NotaPosizione. Fixed
// columns; "Nessun evento." under the heading when the list is empty.
std::string TabellaMutui(std::span<const EventoMutuo> eventi);

}  // namespace mr
