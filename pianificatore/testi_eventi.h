// The events of the finder as users read them: the Italian description of
// each, one JSON object per line, and a text table for the terminal.
#pragma once
#include <span>
#include <string>

#include "ephemeris/eventi.h"

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

}  // namespace mr
