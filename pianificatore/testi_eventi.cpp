#include "pianificatore/testi_eventi.h"

#include "ephemeris/nomi_satelliti.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "ephemeris/calendario.h"

namespace mr {

std::string TestoDecimali(double x, int cifre) {
  if (!std::isfinite(x)) return "";
  char testo[64];
  auto [fine, errore] =
      std::to_chars(testo, testo + sizeof testo, x, std::chars_format::fixed, cifre);
  std::string s(testo, errore == std::errc() ? fine : testo);
  if (s.starts_with('-') && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

namespace {

std::string NumeroJson(double x) { return std::isfinite(x) ? TestoDecimali(x, 2) : "null"; }

std::string StringaJson(const std::string& s) {
  std::string json = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char u[8];
      std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned>(c));
      json += u;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

// Characters as a terminal shows them: UTF-8 code points.
std::size_t Larghezza(const std::string& s) {
  std::size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string Colonna(const std::string& s, std::size_t larghezza, bool aDestra = false) {
  std::string spazi(larghezza > Larghezza(s) ? larghezza - Larghezza(s) : 0, ' ');
  return aDestra ? spazi + s : s + spazi;
}

std::string Altezza(double gradi) {
  return std::isfinite(gradi) ? TestoDecimali(gradi, 1) + "°" : "-";
}

// The widths of the table's columns; the description's fits the longest,
// "Ombra di Ganimede: inizio del transito".
constexpr std::size_t kData = 10, kOra = 8, kEvento = 6, kDescrizione = 38, kGiove = 10,
                      kSole = 9;

std::string Riga(const std::string& data, const std::string& ora, const std::string& evento,
                 const std::string& descrizione, const std::string& giove,
                 const std::string& sole, const std::string& nota) {
  std::string riga = Colonna(data, kData) + "  " + Colonna(ora, kOra) + "  " +
                     Colonna(evento, kEvento) + "  " + Colonna(descrizione, kDescrizione) + "  " +
                     Colonna(giove, kGiove, true) + "  " + Colonna(sole, kSole, true) + "  " + nota;
  riga.erase(riga.find_last_not_of(' ') + 1);
  return riga + "\n";
}

}  // namespace

std::string DescrizioneEvento(const Evento& e) {
  const std::string nome =
      e.satellite >= 1 && e.satellite <= 4 ? NomiSatelliti[e.satellite - 1].nome : "";
  switch (e.codice) {
    case CodiceEvento::TrI: return nome + ": inizio del transito";
    case CodiceEvento::TrE: return nome + ": fine del transito";
    case CodiceEvento::ShI: return "Ombra di " + nome + ": inizio del transito";
    case CodiceEvento::ShE: return "Ombra di " + nome + ": fine del transito";
    case CodiceEvento::OcD: return nome + ": inizio dell'occultazione";
    case CodiceEvento::OcR: return nome + ": fine dell'occultazione";
    case CodiceEvento::EcD: return nome + ": inizio dell'eclisse";
    case CodiceEvento::EcR: return nome + ": fine dell'eclisse";
    case CodiceEvento::GRS: break;
  }
  return "Macchia Rossa al meridiano centrale";
}

std::string TestoUTC(double jdUT) {
  std::optional<DataOraUT> d = DataOraAlSecondo(jdUT);
  if (!d) return "";
  char testo[64];
  std::snprintf(testo, sizeof testo, "%04d-%02d-%02dT%02d:%02d:%02dZ", d->anno, d->mese,
                d->giorno, d->ore, d->minuti, d->secondi);
  return testo;
}

std::string RigaJson(const Evento& e) {
  return "{\"utc\":" + StringaJson(TestoUTC(e.jdUT)) + ",\"evento\":\"" + SiglaEvento(e.codice) +
         "\",\"satellite\":" + std::to_string(e.satellite) +
         ",\"alt_giove\":" + NumeroJson(e.altGiove) + ",\"alt_sole\":" + NumeroJson(e.altSole) +
         ",\"nascosto\":" + (e.nascosto ? "true" : "false") +
         ",\"descrizione\":" + StringaJson(DescrizioneEvento(e)) + "}";
}

std::string RigheJson(std::span<const Evento> eventi) {
  std::string righe;
  for (const Evento& e : eventi) righe += RigaJson(e) + "\n";
  return righe;
}

std::string TabellaEventi(std::span<const Evento> eventi) {
  std::string tabella =
      Riga("Data", "Ora TU", "Evento", "Descrizione", "Alt. Giove", "Alt. Sole", "");
  for (const Evento& e : eventi) {
    std::optional<DataOraUT> d = DataOraAlSecondo(e.jdUT);
    char data[32] = "", ora[32] = "";
    if (d) {
      std::snprintf(data, sizeof data, "%02d/%02d/%04d", d->giorno, d->mese, d->anno);
      std::snprintf(ora, sizeof ora, "%02d:%02d:%02d", d->ore, d->minuti, d->secondi);
    }
    tabella += Riga(data, ora, SiglaEvento(e.codice), DescrizioneEvento(e), Altezza(e.altGiove),
                    Altezza(e.altSole), e.nascosto ? "nascosto" : "");
  }
  if (eventi.empty()) tabella += "Nessun evento.\n";
  return tabella;
}

}  // namespace mr
