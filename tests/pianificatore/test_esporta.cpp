#include <gtest/gtest.h>

#include <libical/ical.h>

#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/calendario.h"
#include "pianificatore/esporta.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace mr {
namespace {

using C = CodiceEvento;

double Ut(int a, int m, int g, int ore, int minuti, double secondi = 0) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

// The night the clocks of Rome go to summer time (01:00 UT on 28 March 2027):
// a transit of Io before it, a Red Spot transit and a hidden reappearance of
// Europa after it.
const std::vector<Evento> kEventi = {
    {Ut(2027, 3, 27, 20, 14, 35), C::TrI, 1, 35.25, -30.5, false},
    {Ut(2027, 3, 27, 22, 24, 31), C::TrE, 1, 52.1, -40, false},
    {Ut(2027, 3, 28, 1, 30, 10), C::GRS, 0, 20.456, -25.004, false},
    {Ut(2027, 3, 28, 2, 5, 0), C::OcR, 2, -1.2, -20, true},
};

TEST(Esporta, Csv) {
  const std::string atteso =
      "utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole\r\n"
      "2027-03-27T20:14:35Z,2027-03-27 21:14:35,CET,Tr.I,Io,Io: inizio del transito,35.25,"
      "-30.50\r\n"
      "2027-03-27T22:24:31Z,2027-03-27 23:24:31,CET,Tr.E,Io,Io: fine del transito,52.10,"
      "-40.00\r\n"
      "2027-03-28T01:30:10Z,2027-03-28 03:30:10,CEST,GRS,,Macchia Rossa al meridiano centrale,"
      "20.46,-25.00\r\n"
      "2027-03-28T02:05:00Z,2027-03-28 04:05:00,CEST,Oc.R,Europa,"
      "Europa: fine dell'occultazione (nell'ombra di Giove),-1.20,-20.00\r\n";
  EXPECT_EQ(TestoCsv(RighePiano(kEventi, std::nullopt), FusoQt("Europe/Rome")), atteso);
}

// RFC 4180: a field with a comma or a quote is quoted, its quotes doubled; an
// unknown altitude is an empty field.
TEST(Esporta, CsvVirgoletteECampiVuoti) {
  const std::vector<Evento> uno = {{Ut(2027, 1, 5, 3, 0), C::EcD, 4, NAN, -50, false}};
  EXPECT_EQ(TestoCsv(RighePiano(uno, std::nullopt), FusoFisso("Prova", "UTC+1, \"ora\"", 3600)),
            "utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole\r\n"
            "2027-01-05T03:00:00Z,2027-01-05 04:00:00,\"UTC+1, \"\"ora\"\"\",Ec.D,Callisto,"
            "Callisto: inizio dell'eclisse,,-50.00\r\n");
}

const char* const kCalendario =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//MacchiaRossa//Fenomeni di Giove//IT\r\n"
    "CALSCALE:GREGORIAN\r\n"
    "X-WR-CALNAME:Fenomeni di Giove\r\n"
    "BEGIN:VEVENT\r\n"
    "UID:20270327T2015Z-TrI-1@macchiarossa\r\n"
    "DTSTAMP:20270301T080000Z\r\n"
    "DTSTART:20270327T201500Z\r\n"
    "DTEND:20270327T222500Z\r\n"
    "SUMMARY:Transito di Io\r\n"
    "DESCRIPTION:Io: inizio del transito - 27/03/2027 21:15 CET\\, Giove a 35°\\,\r\n"
    "  Notte\\nIo: fine del transito - 27/03/2027 23:25 CET\\, Giove a 52°\\, Nott\r\n"
    " e\\nDurata: 2 h 10 min\r\n"
    "TRANSP:TRANSPARENT\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "UID:20270328T0130Z-GRS-0@macchiarossa\r\n"
    "DTSTAMP:20270301T080000Z\r\n"
    "DTSTART:20270328T013000Z\r\n"
    "DTEND:20270328T013100Z\r\n"
    "SUMMARY:Macchia Rossa al meridiano centrale\r\n"
    "DESCRIPTION:Macchia Rossa al meridiano centrale - 28/03/2027 03:30 CEST\\, G\r\n"
    " iove a 20°\\, Notte\\nBen osservabile dalle 01:40 alle 04:20 (±50 minuti d\r\n"
    " al transito)\r\n"
    "TRANSP:TRANSPARENT\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "UID:20270328T0205Z-OcR-2@macchiarossa\r\n"
    "DTSTAMP:20270301T080000Z\r\n"
    "DTSTART:20270328T020500Z\r\n"
    "DTEND:20270328T020600Z\r\n"
    "SUMMARY:Europa: fine dell'occultazione (nell'ombra di Giove)\r\n"
    "DESCRIPTION:Europa: fine dell'occultazione (nell'ombra di Giove) - 28/03/20\r\n"
    " 27 04:05 CEST\\, Giove a -1°\\, Notte\r\n"
    "TRANSP:TRANSPARENT\r\n"
    "END:VEVENT\r\n"
    "END:VCALENDAR\r\n";

// The pair is one event from ingress to egress; times are rounded to the
// minute; the Red Spot's span of 50 minutes starts before the clocks change.
TEST(Esporta, ICalendar) {
  EXPECT_EQ(TestoICalendar(RighePiano(kEventi, std::nullopt), FusoQt("Europe/Rome"),
                           Ut(2027, 3, 1, 8, 0)),
            kCalendario);
}

// A line is folded before a character, never inside it: here the 75th octet
// would be the second of the two of "°".
TEST(Esporta, ICalendarPiegaSenzaSpezzareICaratteri) {
  const std::vector<Evento> uno = {kEventi[0]};
  const std::string ics =
      TestoICalendar(RighePiano(uno, std::nullopt), FusoFisso("Prova", "XXXXXX", 3600),
                     Ut(2027, 3, 1, 8, 0));
  EXPECT_NE(ics.find("DESCRIPTION:Io: inizio del transito - 27/03/2027 21:15 XXXXXX\\, Giove a "
                     "35\r\n \u00b0\\, Notte\r\n"),
            std::string::npos)
      << ics;
}

// libical reads the calendar without a complaint, and finds the events, their
// times and their texts unfolded and unescaped.
TEST(Esporta, ICalendarLettoDaLibical) {
  icalcomponent* calendario = icalparser_parse_string(kCalendario);
  ASSERT_NE(calendario, nullptr);
  EXPECT_EQ(icalcomponent_isa(calendario), ICAL_VCALENDAR_COMPONENT);
  icalrestriction_check(calendario);
  EXPECT_EQ(icalcomponent_count_errors(calendario), 0) << icalcomponent_as_ical_string(calendario);
  EXPECT_EQ(icalcomponent_count_components(calendario, ICAL_VEVENT_COMPONENT), 3);
  icalcomponent* e = icalcomponent_get_first_component(calendario, ICAL_VEVENT_COMPONENT);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(icaltime_as_timet(icalcomponent_get_dtstart(e)), 1806178500);  // 2027-03-27 20:15 UT
  EXPECT_EQ(icaltime_as_timet(icalcomponent_get_dtend(e)), 1806186300);    // 22:25 UT
  EXPECT_STREQ(icalcomponent_get_description(e),
               "Io: inizio del transito - 27/03/2027 21:15 CET, Giove a 35°, Notte\n"
               "Io: fine del transito - 27/03/2027 23:25 CET, Giove a 52°, Notte\n"
               "Durata: 2 h 10 min");
  icalcomponent_free(calendario);
}

// A month of real events, every kind, hidden contacts included: every line
// within 75 octets and ended by CR LF, no folded line starting inside a
// character, and libical content.
TEST(Esporta, ICalendarDiUnMese) {
  RicercaEventi r = CercaEventi(Ut(2027, 3, 1, 0, 0), 30, 69, {12.5, 41.9, 0}, {98, 0, 2451545});
  ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
  const std::vector<RigaPiano> righe = RighePiano(r.eventi, std::nullopt);
  const std::string ics = TestoICalendar(righe, FusoQt("Europe/Rome"), Ut(2027, 3, 1, 0, 0));
  std::size_t inizio = 0, righeTesto = 0;
  while (inizio < ics.size()) {
    const std::size_t fine = ics.find("\r\n", inizio);
    ASSERT_NE(fine, std::string::npos);
    const std::string riga = ics.substr(inizio, fine - inizio);
    EXPECT_LE(riga.size(), 75u) << riga;
    EXPECT_EQ(riga.find_first_of("\r\n"), std::string::npos) << riga;
    if (riga.size() > 1 && riga[0] == ' ') {
      EXPECT_NE(static_cast<unsigned char>(riga[1]) & 0xC0, 0x80) << riga;
    }
    inizio = fine + 2;
    ++righeTesto;
  }
  EXPECT_GT(righeTesto, 100u);
  icalcomponent* calendario = icalparser_parse_string(ics.c_str());
  ASSERT_NE(calendario, nullptr);
  icalrestriction_check(calendario);
  EXPECT_EQ(icalcomponent_count_errors(calendario), 0);
  // One event per pair of contacts and per single contact.
  int fenomeni = 0;
  for (std::size_t i = 0; i < righe.size(); ++i)
    if (i == 0 || righe[i].gruppo != righe[i - 1].gruppo) ++fenomeni;
  EXPECT_EQ(icalcomponent_count_components(calendario, ICAL_VEVENT_COMPONENT), fenomeni);
  icalcomponent_free(calendario);
}

// ---- mutual events --------------------------------------------------------------

// Ganymede's shadow on Io, in front of Jupiter's disk, during the transit of
// kEventi: 21:02:10 - 21:05:40 - 21:09:05 UT.
const EventoMutuo kMutuo{TipoMutuo::Eclisse,  3,
                         1,                   Ut(2027, 3, 27, 21, 2, 10),
                         Ut(2027, 3, 27, 21, 5, 40), Ut(2027, 3, 27, 21, 9, 5),
                         987.4,               GenereMutuo::Parziale,
                         0.4237,              45.5,
                         -33,                 PosizioneMutuo::Davanti};

std::vector<RigaPiano> RigheConMutuo() {
  SceltaEventi tutto;
  tutto.soloOsservabili = false;
  return RighePiano(kEventi, tutto, std::vector<EventoMutuo>{kMutuo});
}

// A mutual event's row at its maximum, its notation as the code, both
// satellites, and three more columns for the whole file: its contacts and its
// drop to 0.001 mag.
TEST(Esporta, CsvConUnFenomenoMutuo) {
  const std::string atteso =
      "utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole,inizio,fine,calo_mag\r\n"
      "2027-03-27T20:14:35Z,2027-03-27 21:14:35,CET,Tr.I,Io,Io: inizio del transito,35.25,"
      "-30.50,,,\r\n"
      "2027-03-27T22:24:31Z,2027-03-27 23:24:31,CET,Tr.E,Io,Io: fine del transito,52.10,"
      "-40.00,,,\r\n"
      "2027-03-27T21:05:40Z,2027-03-27 22:05:40,CET,3 E 1,Ganimede e Io,"
      "\"Ganimede eclissa Io (parziale, calo 0,40 mag), Io davanti a Giove\",45.50,-33.00,"
      "2027-03-27T21:02:10Z,2027-03-27T21:09:05Z,0.424\r\n"
      "2027-03-28T01:30:10Z,2027-03-28 03:30:10,CEST,GRS,,Macchia Rossa al meridiano centrale,"
      "20.46,-25.00,,,\r\n"
      "2027-03-28T02:05:00Z,2027-03-28 04:05:00,CEST,Oc.R,Europa,"
      "Europa: fine dell'occultazione (nell'ombra di Giove),-1.20,-20.00,,,\r\n";
  EXPECT_EQ(TestoCsv(RigheConMutuo(), FusoQt("Europe/Rome")), atteso);
}

// One event from the first contact to the last, to the minute; what libical
// reads back, unfolded and unescaped.
TEST(Esporta, ICalendarConUnFenomenoMutuo) {
  const std::string ics = TestoICalendar(RigheConMutuo(), FusoQt("Europe/Rome"), Ut(2027, 3, 1, 8, 0));
  EXPECT_NE(ics.find("BEGIN:VEVENT\r\n"
                     "UID:20270327T2106Z-3E1@macchiarossa\r\n"
                     "DTSTAMP:20270301T080000Z\r\n"
                     "DTSTART:20270327T210200Z\r\n"
                     "DTEND:20270327T210900Z\r\n"),
            std::string::npos)
      << ics;
  icalcomponent* calendario = icalparser_parse_string(ics.c_str());
  ASSERT_NE(calendario, nullptr);
  icalrestriction_check(calendario);
  EXPECT_EQ(icalcomponent_count_errors(calendario), 0) << ics;
  EXPECT_EQ(icalcomponent_count_components(calendario, ICAL_VEVENT_COMPONENT), 4);
  icalcomponent* e = icalcomponent_get_first_component(calendario, ICAL_VEVENT_COMPONENT);
  e = icalcomponent_get_next_component(calendario, ICAL_VEVENT_COMPONENT);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(icaltime_as_timet(icalcomponent_get_dtstart(e)), 1806181320);  // 2027-03-27 21:02 UT
  EXPECT_EQ(icaltime_as_timet(icalcomponent_get_dtend(e)), 1806181740);    // 21:09 UT
  EXPECT_STREQ(icalcomponent_get_summary(e),
               "Ganimede eclissa Io (parziale, calo 0,40 mag), Io davanti a Giove");
  EXPECT_STREQ(icalcomponent_get_description(e),
               "3 E 1 - massimo 27/03/2027 22:06 CET, Giove a 46°, Notte\n"
               "Dal primo all'ultimo contatto: 22:02 - 22:09 (7 min)\n"
               "Calo 0,40 mag (parziale), distanza minima dei centri 987 km\n"
               "Io davanti a Giove: misura difficile");
  icalcomponent_free(calendario);
}

// A grazing event of 25 s has both contacts in one minute: the calendar
// event still lasts that minute.
TEST(Esporta, ICalendarDiUnFenomenoMutuoBrevissimo) {
  EventoMutuo radente = kMutuo;
  radente.jdInizio = Ut(2027, 3, 27, 21, 5, 35);
  radente.jdFine = Ut(2027, 3, 27, 21, 6, 0);
  const std::vector<RigaPiano> righe = RighePiano(std::vector<EventoMutuo>{radente}, std::nullopt);
  const std::string ics = TestoICalendar(righe, FusoQt("Europe/Rome"), Ut(2027, 3, 1, 8, 0));
  EXPECT_NE(ics.find("DTSTART:20270327T210600Z\r\nDTEND:20270327T210700Z\r\n"), std::string::npos)
      << ics;
  icalcomponent* calendario = icalparser_parse_string(ics.c_str());
  ASSERT_NE(calendario, nullptr);
  icalrestriction_check(calendario);
  EXPECT_EQ(icalcomponent_count_errors(calendario), 0) << ics;
  icalcomponent_free(calendario);
}

// Without mutual events the file keeps its eight columns.
TEST(Esporta, CsvSenzaFenomeniMutuiOttoColonne) {
  SceltaEventi tutto;
  tutto.soloOsservabili = false;
  const std::string csv = TestoCsv(RighePiano(kEventi, tutto), FusoQt("Europe/Rome"));
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole");
  EXPECT_EQ(csv, TestoCsv(RighePiano(kEventi, std::nullopt), FusoQt("Europe/Rome")));
}

}  // namespace
}  // namespace mr
