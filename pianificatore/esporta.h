// The planner's lists as files for other programs: a CSV table for
// spreadsheets and an iCalendar file for calendars. The window's exports and
// the command line make the same bytes from the same rows:
//
//   std::vector<RigaPiano> righe = RighePiano(eventi, filtro);  // piano.h
//   std::string csv = TestoCsv(righe, fuso);
//   std::string ics = TestoICalendar(righe, fuso, adessoJdUT);
//
// with fuso a FusoQt (pianificatore/qtcore/fuso_qt.h) for an IANA zone.
#pragma once
#include <span>
#include <string>

#include "pianificatore/fuso_orario.h"
#include "pianificatore/piano.h"

namespace mr {

// RFC 4180 CSV, UTF-8 without a byte-order mark, CR LF line ends: a header
//   utc,ora_locale,fuso,evento,satellite,descrizione,alt_giove,alt_sole
// then one record per row, in the rows' order: the UT instant
// ("2027-02-12T20:14:35Z"), the local date and time ("2027-02-12 21:14:35"),
// the zone's abbreviation ("CET"), the code ("Tr.I"), the satellite's name
// ("" for the Red Spot), the description (TestoEvento), and Jupiter's and
// the Sun's altitudes (degrees, two decimals, "" when unknown). A mutual
// event's row is its maximum's: its notation as the code ("1 O 2"), its two
// satellites ("Io e Europa"), TestoMutuo; and when the rows hold any mutual
// event, three more columns
//   inizio,fine,calo_mag
// give its first and last contacts (UT, as utc) and its drop (magnitudes,
// three decimals), empty on the other rows. Fields that hold a comma, a quote
// or a line end are quoted.
std::string TestoCsv(std::span<const RigaPiano> righe, const FusoOrario& fuso);

// RFC 5545 iCalendar, CR LF line ends, lines folded at 75 octets (never inside
// a UTF-8 character). One VEVENT per phenomenon: a pair of rows spans from
// its first contact to its second; a single contact or a Red Spot transit
// lasts a minute (the Red Spot's description gives the span of ±50 minutes
// around the transit, when the spot is well placed on the disk); a mutual
// event spans from its first contact to its last, its SUMMARY TestoMutuo and
// its DESCRIPTION DettagliMutuo (maximum, contacts, drop, distance, where the
// passive satellite stands), its UID made from its maximum's minute and its
// notation. Times are UT
// ("Z"), rounded to the minute as the list shows them; the UID is made from
// the first contact's code, satellite and minute, so the same phenomenon
// exported again replaces itself in a calendar. DTSTAMP is jdAdesso (UT).
std::string TestoICalendar(std::span<const RigaPiano> righe, const FusoOrario& fuso,
                           double jdAdesso);

}  // namespace mr
