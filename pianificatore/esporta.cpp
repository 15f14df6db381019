#include "pianificatore/esporta.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "ephemeris/calendario.h"
#include "ephemeris/nomi_satelliti.h"
#include "pianificatore/testi_eventi.h"

namespace mr {

namespace {

// ---- CSV -------------------------------------------------------------------

std::string CampoCsv(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

std::string RecordCsv(const std::vector<std::string>& campi) {
  std::string r;
  for (std::size_t i = 0; i < campi.size(); ++i) {
    if (i > 0) r += ',';
    r += CampoCsv(campi[i]);
  }
  return r + "\r\n";
}

// "2027-02-12 21:14:35".
std::string DataOraLocale(const std::optional<OraLocale>& o) {
  if (!o) return "";
  char testo[40];
  std::snprintf(testo, sizeof testo, "%04d-%02d-%02d %02d:%02d:%02d", o->anno, o->mese,
                o->giorno, o->ore, o->minuti, o->secondi);
  return testo;
}

// ---- iCalendar ---------------------------------------------------------------

// "20270212T201500Z" ("20270212T2015Z" without the seconds): the instant
// rounded to the minute.
std::string DataOraICal(double jdUT, bool secondi = true) {
  const std::optional<DataOraUT> d = DataOraAlSecondo(MinutoPiuVicino(jdUT));
  if (!d) return "";
  char testo[40];
  std::snprintf(testo, sizeof testo, "%04d%02d%02dT%02d%02d%sZ", d->anno, d->mese, d->giorno,
                d->ore, d->minuti, secondi ? "00" : "");
  return testo;
}

// A TEXT value: backslash, semicolon and comma escaped, line feeds as "\n".
std::string TestoICal(const std::string& s) {
  std::string t;
  for (char c : s) {
    if (c == '\n') {
      t += "\\n";
      continue;
    }
    if (c == '\\' || c == ';' || c == ',') t += '\\';
    t += c;
  }
  return t;
}

// One content line, folded: at most 75 octets a line, continuation lines
// starting with a blank, and no cut before a UTF-8 continuation byte.
std::string Riga(const std::string& riga) {
  std::string piegata;
  std::size_t inizio = 0, limite = 75;
  while (riga.size() - inizio > limite) {
    std::size_t taglio = inizio + limite;
    while (taglio > inizio + 1 && (static_cast<unsigned char>(riga[taglio]) & 0xC0) == 0x80)
      --taglio;
    piegata += riga.substr(inizio, taglio - inizio) + "\r\n ";
    inizio = taglio;
    limite = 74;  // the blank takes one octet
  }
  return piegata + riga.substr(inizio) + "\r\n";
}

// "Io: inizio del transito - 12/02/2027 21:14 CET, Giove a 35°, Notte".
std::string Circostanze(const Evento& e, const FusoOrario& fuso) {
  return TestoEvento(e) + " - " + TestoOraLocale(fuso, e.jdUT) + ", Giove a " +
         TestoGradi(e.altGiove) + ", " + NomeCielo(CieloDi(e.altSole));
}

// "Transito di Io", "Transito dell'ombra di Io", "Occultazione di Io", "Eclisse di Io".
std::string NomeFenomeno(const Evento& inizio) {
  const std::string di = " di " + NomeDelSatellite(inizio.satellite);
  switch (GenereDi(inizio.codice)) {
    case Genere::Transiti: return "Transito" + di;
    case Genere::Ombre: return "Transito dell'ombra" + di;
    case Genere::Occultazioni: return "Occultazione" + di;
    case Genere::Eclissi: return "Eclisse" + di;
    case Genere::Macchia:
    case Genere::Mutui: break;
  }
  return DescrizioneEvento(inizio);
}

// "20270212T2014Z-TrI-1@macchiarossa": code without its dot, satellite, minute.
std::string Uid(const Evento& e) {
  std::string codice = SiglaEvento(e.codice);
  std::erase(codice, '.');
  return DataOraICal(e.jdUT, false) + "-" + codice + "-" + std::to_string(e.satellite) +
         "@macchiarossa";
}

std::string Vevento(const std::string& uid, const std::string& stampa, double inizio, double fine,
                    const std::string& sommario, const std::string& descrizione) {
  return Riga("BEGIN:VEVENT") + Riga("UID:" + uid) + Riga("DTSTAMP:" + stampa) +
         Riga("DTSTART:" + DataOraICal(inizio)) + Riga("DTEND:" + DataOraICal(fine)) +
         Riga("SUMMARY:" + TestoICal(sommario)) + Riga("DESCRIPTION:" + TestoICal(descrizione)) +
         Riga("TRANSP:TRANSPARENT") + Riga("END:VEVENT");
}

// A phenomenon: a pair of contacts, or a single one.
std::string Vevento(const RigaPiano* primo, const RigaPiano* secondo, const FusoOrario& fuso,
                    const std::string& stampa) {
  const Evento& e = std::get<Evento>(primo->evento);
  const double minuto = 1.0 / 1440;
  std::string sommario, descrizione = Circostanze(e, fuso);
  double fine = e.jdUT + minuto;
  if (secondo) {
    const Evento& s = std::get<Evento>(secondo->evento);
    fine = s.jdUT;
    sommario = NomeFenomeno(e);
    descrizione.append("\n").append(Circostanze(s, fuso));
    descrizione.append("\nDurata: ").append(TestoDurata(e.jdUT, s.jdUT));
  } else {
    sommario = TestoEvento(e);
    if (e.codice == CodiceEvento::GRS)
      descrizione.append("\nBen osservabile dalle ")
          .append(TestoOra(fuso, e.jdUT - 50 * minuto))
          .append(" alle ")
          .append(TestoOra(fuso, e.jdUT + 50 * minuto))
          .append(" (\u00b150 minuti dal transito)");
  }
  return Vevento(Uid(e), stampa, e.jdUT, fine, sommario, descrizione);
}

// A mutual event, from its first contact to its last (a minute at least, as
// the times are rounded to the minute); the UID from its maximum's minute and
// its notation: "20270212T2014Z-1O2@macchiarossa".
std::string Vevento(const EventoMutuo& m, const FusoOrario& fuso, const std::string& stampa) {
  std::string sigla = NotazioneMutuo(m);
  std::erase(sigla, ' ');
  const double inizio = MinutoPiuVicino(m.jdInizio);
  const double fine = std::max(MinutoPiuVicino(m.jdFine), inizio + 1.0 / 1440);
  return Vevento(DataOraICal(m.jdMassimo, false) + "-" + sigla + "@macchiarossa", stampa, inizio,
                 fine, TestoMutuo(m), DettagliMutuo(m, fuso));
}

}  // namespace

std::string TestoCsv(std::span<const RigaPiano> righe, const FusoOrario& fuso) {
  const bool mutui = std::any_of(righe.begin(), righe.end(),
                                 [](const RigaPiano& r) { return r.Mutuo() != nullptr; });
  std::vector<std::string> intestazione = {"utc",       "ora_locale",  "fuso",
                                           "evento",    "satellite",   "descrizione",
                                           "alt_giove", "alt_sole"};
  if (mutui) intestazione.insert(intestazione.end(), {"inizio", "fine", "calo_mag"});
  std::string csv = RecordCsv(intestazione);
  for (const RigaPiano& r : righe) {
    const double t = r.Istante();
    const std::optional<OraLocale> locale = fuso.Locale(t);
    const EventoMutuo* m = r.Mutuo();
    std::vector<std::string> campi = {
        TestoUTC(t),
        DataOraLocale(locale),
        locale ? locale->sigla : "",
        SiglaRiga(r),
        m ? NomeDelSatellite(m->attivo) + " e " + NomeDelSatellite(m->passivo)
          : NomeDelSatellite(std::get<Evento>(r.evento).satellite),
        TestoRiga(r),
        TestoDecimali(r.AltGiove(), 2),
        TestoDecimali(r.AltSole(), 2)};
    if (m)
      campi.insert(campi.end(),
                   {TestoUTC(m->jdInizio), TestoUTC(m->jdFine), TestoDecimali(m->caloMag, 3)});
    else if (mutui)
      campi.insert(campi.end(), {"", "", ""});
    csv += RecordCsv(campi);
  }
  return csv;
}

std::string TestoICalendar(std::span<const RigaPiano> righe, const FusoOrario& fuso,
                           double jdAdesso) {
  std::string ics = Riga("BEGIN:VCALENDAR") + Riga("VERSION:2.0") +
                    Riga("PRODID:-//MacchiaRossa//Fenomeni di Giove//IT") +
                    Riga("CALSCALE:GREGORIAN") +
                    Riga("X-WR-CALNAME:Fenomeni di Giove");
  const std::string stampa = DataOraICal(jdAdesso);
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (const EventoMutuo* m = righe[i].Mutuo()) {
      ics += Vevento(*m, fuso, stampa);
      continue;
    }
    const bool coppia = i + 1 < righe.size() && righe[i + 1].gruppo == righe[i].gruppo;
    ics += Vevento(&righe[i], coppia ? &righe[i + 1] : nullptr, fuso, stampa);
    if (coppia) ++i;
  }
  return ics + Riga("END:VCALENDAR");
}

}  // namespace mr
