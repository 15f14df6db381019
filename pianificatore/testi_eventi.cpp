#include "pianificatore/testi_eventi.h"

#include "ephemeris/nomi_satelliti.h"
#include "ephemeris/numeri.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "ephemeris/calendario.h"
#include "pianificatore/fuso_orario.h"

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

std::string NumeroJson(double x, int cifre = 2) {
  return std::isfinite(x) ? TestoDecimali(x, cifre) : "null";
}

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

// One cell of a fixed-width table.
struct Cella {
  std::string testo;
  std::size_t larghezza;
  bool aDestra = false;
};

// The cells two blanks apart, the blanks at the end dropped.
std::string RigaTabella(std::initializer_list<Cella> celle) {
  std::string riga;
  for (const Cella& c : celle) {
    if (&c != celle.begin()) riga += "  ";
    riga += Colonna(c.testo, c.larghezza, c.aDestra);
  }
  riga.erase(riga.find_last_not_of(' ') + 1);
  return riga + "\n";
}

// The widths of the table's columns; the description's fits the longest,
// "Ombra di Ganimede: inizio del transito".
constexpr std::size_t kData = 10, kOra = 8, kEvento = 6, kDescrizione = 38, kGiove = 10,
                      kSole = 9;

std::string Riga(const std::string& data, const std::string& ora, const std::string& evento,
                 const std::string& descrizione, const std::string& giove,
                 const std::string& sole, const std::string& nota) {
  return RigaTabella({{data, kData},
                      {ora, kOra},
                      {evento, kEvento},
                      {descrizione, kDescrizione},
                      {giove, kGiove, true},
                      {sole, kSole, true},
                      {nota, 0}});
}

// "GG/MM/AAAA" and "hh:mm:ss" (or "hh:mm") of a UT instant; "" for none.
std::string DataTU(const std::optional<DataOraUT>& d) {
  return d ? TestoData(d->anno, d->mese, d->giorno) : "";
}
std::string OraTU(const std::optional<DataOraUT>& d, bool secondi) {
  if (!d) return "";
  char testo[32];
  if (secondi)
    std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", d->ore, d->minuti, d->secondi);
  else
    std::snprintf(testo, sizeof testo, "%02d:%02d", d->ore, d->minuti);
  return testo;
}

// "0,42": a decimal comma, as Italian prose writes numbers.
std::string ConVirgola(std::string numero) {
  std::replace(numero.begin(), numero.end(), '.', ',');
  return numero;
}

// "Io occulta Europa (", "Ganimede eclissa Io (", the kind and ", ".
std::string InizioDescrizione(const EventoMutuo& e) {
  return NomeDelSatellite(e.attivo) + (e.tipo == TipoMutuo::Occultazione ? " occulta " : " eclissa ") +
         NomeDelSatellite(e.passivo) + " (" + NomeGenereMutuo(e.genere) + ", ";
}

}  // namespace

std::string DescrizioneEvento(const Evento& e) {
  const std::string nome = NomeDelSatellite(e.satellite);
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
    const std::optional<DataOraUT> d = DataOraAlSecondo(e.jdUT);
    tabella += Riga(DataTU(d), OraTU(d, true), SiglaEvento(e.codice), DescrizioneEvento(e),
                    Altezza(e.altGiove), Altezza(e.altSole), e.nascosto ? "nascosto" : "");
  }
  if (eventi.empty()) tabella += "Nessun evento.\n";
  return tabella;
}

// ---- mutual events ------------------------------------------------------------

std::string NotazioneMutuo(const EventoMutuo& e) {
  return std::to_string(e.attivo) + (e.tipo == TipoMutuo::Occultazione ? " O " : " E ") +
         std::to_string(e.passivo);
}

const char* NomeGenereMutuo(GenereMutuo g) {
  switch (g) {
    case GenereMutuo::Parziale: return "parziale";
    case GenereMutuo::Totale: return "totale";
    case GenereMutuo::Anulare: break;
  }
  return "anulare";
}

std::string DescrizioneMutuo(const EventoMutuo& e) {
  return InizioDescrizione(e) + "calo " + ConVirgola(TestoDecimali(e.caloMag, 2)) + " mag)";
}

std::string TestoCalo(double caloMag) {
  if (!std::isfinite(caloMag)) return "-";
  const double arrotondato = std::round(caloMag / 0.05) * 0.05;
  if (arrotondato < 0.05) return "< 0,05 mag";
  return ConVirgola(TestoDecimali(arrotondato, 2)) + " mag";
}

std::string CaloInElenco(const EventoMutuo& e) {
  // A drop at the cap is B in the umbra, or a sliver of it in the deepest
  // penumbra: 10,00 when rounded, more than the cap, and nothing to measure.
  if (e.tipo == TipoMutuo::Eclisse &&
      (e.genere == GenereMutuo::Totale || e.caloMag >= CaloMassimoEclisse))
    return NomeDelSatellite(e.passivo) + " scompare";
  return "calo " + TestoCalo(e.caloMag);
}

std::string DescrizioneMutuoInElenco(const EventoMutuo& e) {
  return InizioDescrizione(e) + CaloInElenco(e) + ")";
}

std::string NotaPosizione(const EventoMutuo& e) {
  switch (e.giove) {
    case PosizioneMutuo::Dietro: return NomeDelSatellite(e.passivo) + " dietro Giove";
    case PosizioneMutuo::Ombra: return NomeDelSatellite(e.passivo) + " nell'ombra di Giove";
    case PosizioneMutuo::AttivoInOmbra: return NomeDelSatellite(e.attivo) + " nell'ombra di Giove";
    case PosizioneMutuo::Davanti: return NomeDelSatellite(e.passivo) + " davanti a Giove";
    case PosizioneMutuo::Libero: break;
  }
  return "";
}

std::string RigaJsonMutuo(const EventoMutuo& e) {
  return std::string("{\"tipo\":\"") + SiglaMutuo(e.tipo) +
         "\",\"attivo\":" + std::to_string(e.attivo) +
         ",\"passivo\":" + std::to_string(e.passivo) +
         ",\"inizio\":" + StringaJson(TestoUTC(e.jdInizio)) +
         ",\"massimo\":" + StringaJson(TestoUTC(e.jdMassimo)) +
         ",\"fine\":" + StringaJson(TestoUTC(e.jdFine)) +
         ",\"impatto_km\":" + NumeroJson(e.impattoKm, 1) +
         ",\"calo_mag\":" + NumeroJson(e.caloMag, 3) + ",\"alt_giove\":" + NumeroJson(e.altGiove) +
         ",\"alt_sole\":" + NumeroJson(e.altSole) +
         ",\"giove\":\"" + SiglaPosizione(e.giove) +
         "\",\"descrizione\":" + StringaJson(DescrizioneMutuo(e)) + "}";
}

std::string RigheJsonMutui(std::span<const EventoMutuo> eventi) {
  std::string righe;
  for (const EventoMutuo& e : eventi) righe += RigaJsonMutuo(e) + "\n";
  return righe;
}

std::string TabellaMutui(std::span<const EventoMutuo> eventi) {
  // The description's column fits the longest, "Ganimede eclissa Callisto
  // (parziale, calo < 0,05 mag)".
  constexpr std::size_t kOraMinuti = 7, kSigla = 5, kTesto = 53;
  const auto riga = [&](const std::string& data, const std::string& inizio,
                        const std::string& massimo, const std::string& fine,
                        const std::string& sigla, const std::string& descrizione,
                        const std::string& giove, const std::string& sole,
                        const std::string& nota) {
    return RigaTabella({{data, kData},
                        {inizio, kOraMinuti},
                        {massimo, kOraMinuti},
                        {fine, kOraMinuti},
                        {sigla, kSigla},
                        {descrizione, kTesto},
                        {giove, kGiove, true},
                        {sole, kSole, true},
                        {nota, 0}});
  };
  std::string tabella = riga("Data", "Inizio", "Massimo", "Fine", "Sigla", "Descrizione",
                             "Alt. Giove", "Alt. Sole", "");
  for (const EventoMutuo& e : eventi) {
    const auto minuto = [](double jdUT) { return DataOraAlSecondo(MinutoPiuVicino(jdUT)); };
    const std::optional<DataOraUT> massimo = minuto(e.jdMassimo);
    tabella += riga(DataTU(massimo), OraTU(minuto(e.jdInizio), false), OraTU(massimo, false),
                    OraTU(minuto(e.jdFine), false), NotazioneMutuo(e), DescrizioneMutuoInElenco(e),
                    Altezza(e.altGiove), Altezza(e.altSole), NotaPosizione(e));
  }
  if (eventi.empty()) tabella += "Nessun evento.\n";
  return tabella;
}

}  // namespace mr
