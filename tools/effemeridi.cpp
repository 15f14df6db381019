// effemeridi: the main window's computations without a display. It starts the
// window model as the program starts, sets the fields, the zone and the check
// boxes given on the command line, clicks a command and prints the result.
// With --eventi it lists instead the satellites' phenomena and the Red Spot's
// transits of a span of days from the precise ephemeris, with --mutui the
// satellites' mutual occultations and eclipses.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <system_error>
#include <string>
#include <vector>

#include "app/versione.h"
#include "ephemeris/calendario.h"
#include "ephemeris/eventi.h"
#include "ephemeris/mutui.h"
#include "ephemeris/numeri.h"
#include "pianificatore/esporta.h"
#include "pianificatore/filtro.h"
#include "pianificatore/piano.h"
#include "pianificatore/preferenze_eventi.h"
#include "pianificatore/qtcore/fuso_qt.h"
#include "pianificatore/testi_eventi.h"
#include "settings/file_impostazioni.h"
#include "settings/preferenze.h"
#include "window/macchiarossa.h"
#include "ephemeris/nomi_satelliti.h"
#include "window/testo_json.h"

namespace {

using mr::MacchiaRossa;

// The commands, by the names of their buttons.
struct Azione {
  const char* nome;
  void (MacchiaRossa::*gestore)();
};
constexpr Azione Azioni[] = {
    {"Calcola", &MacchiaRossa::Calcola_Click}, {"Più", &MacchiaRossa::Piu_Click},
    {"Meno", &MacchiaRossa::Meno_Click},       {"Più10", &MacchiaRossa::Piu10_Click},
    {"Meno10", &MacchiaRossa::Meno10_Click},   {"TReale", &MacchiaRossa::TReale_Click},
    {"Rotazione", &MacchiaRossa::MeridianoA},
};

// What a listing is made from besides the events: the filter of --visibili,
// the zone of the local times, the present instant (UT Julian day).
struct Contesto {
  std::optional<mr::FiltroVisibili> filtro;
  const mr::FusoOrario* fuso;
  double adesso;
};

// The events the filter passes, as a table or as JSON lines.
template <class E, std::string (*scrivi)(std::span<const E>)>
std::string Visibili(std::span<const E> tutti, const Contesto& c) {
  return c.filtro ? scrivi(mr::SoloVisibili(tutti, *c.filtro)) : scrivi(tutti);
}

// The planner's files, made as the window makes them: from the whole list,
// the filter deciding which rows stay (so a pair is never made of contacts of
// two different phenomena).
template <class E>
std::string Csv(std::span<const E> tutti, const Contesto& c) {
  return mr::TestoCsv(mr::RighePiano(tutti, c.filtro), *c.fuso);
}
template <class E>
std::string ICalendar(std::span<const E> tutti, const Contesto& c) {
  return mr::TestoICalendar(mr::RighePiano(tutti, c.filtro), *c.fuso, c.adesso);
}

// The listings of --eventi and --mutui, by the names --formato takes: a new
// listing is one more row of Formati (the usage text takes the names from there).
struct Formato {
  const char* nome;
  std::string (*eventi)(std::span<const mr::Evento>, const Contesto&);
  std::string (*mutui)(std::span<const mr::EventoMutuo>, const Contesto&);
  bool intestazione;  // the window, the site and the Red Spot in two lines above
  bool locale;        // local times, in the planner's zone
};
constexpr Formato Formati[] = {
    {"testo", &Visibili<mr::Evento, &mr::TabellaEventi>,
     &Visibili<mr::EventoMutuo, &mr::TabellaMutui>, true, false},
    {"json", &Visibili<mr::Evento, &mr::RigheJson>,
     &Visibili<mr::EventoMutuo, &mr::RigheJsonMutui>, false, false},
    {"csv", &Csv<mr::Evento>, &Csv<mr::EventoMutuo>, false, true},
    {"ics", &ICalendar<mr::Evento>, &ICalendar<mr::EventoMutuo>, false, true},
};

// "testo|json": the names of the formats.
std::string NomiFormati() {
  std::string nomi;
  for (const Formato& f : Formati) {
    if (!nomi.empty()) nomi += '|';
    nomi += f.nome;
  }
  return nomi;
}

std::string Uso() {
  return "uso: effemeridi [--giorno T] [--mese T] [--anno T] [--ore T] [--minuti T]\n"
         "                [--zona TU|TM|OE] [--cartella DIR] [--spunta NOME=0|1 ...]\n"
         "                [--azione Calcola|Più|Meno|Più10|Meno10|TReale|Rotazione]\n"
         "                [--precisione normale|alta]\n"
         "                [--json] [--disegno] [--help] [--version]\n"
         "     effemeridi --eventi GIORNI [--giorno T] [--mese T] [--anno T] [--ore T]\n"
         "                [--minuti T] [--zona TU|TM|OE] [--cartella DIR]\n"
         "                [--macchia L0] [--deriva D] [--epoca AAAA-MM-GG]\n"
         "                [--visibili [--altezza-minima G] [--sole-massimo G]]\n"
         "                [--fuso NOME_IANA] [--formato " +
         NomiFormati() + "]\n" +
         "     effemeridi --mutui GIORNI [--giorno T] [--mese T] [--anno T] [--ore T]\n"
         "                [--minuti T] [--zona TU|TM|OE] [--cartella DIR]\n"
         "                [--visibili [--altezza-minima G] [--sole-massimo G]]\n"
         "                [--fuso NOME_IANA] [--formato " +
         NomiFormati() + "]\n";
}

class AmbienteConsole : public mr::Ambiente {
 public:
  void Avviso(const std::string& testo) override { std::cerr << testo << "\n"; }
};

// What --eventi or --mutui asks for.
struct OpzioniEventi {
  int giorni = 0;      // 1..3660; 0 without --eventi or --mutui
  bool mutui = false;  // --mutui: the mutual events
  std::optional<double> macchia, deriva, epoca;  // Red Spot: L0, drift, AAAAMMGG
  bool visibili = false;
  mr::FiltroVisibili filtro;
  std::optional<std::string> fuso;  // IANA name, in place of the planner's
  const Formato* formato = &Formati[0];
};

struct Opzioni {
  std::map<std::string, std::string> campi;  // field name -> text
  std::string zona;
  std::filesystem::path cartella = ".";
  std::vector<std::pair<std::string, int>> spunte;
  const Azione* azione = &Azioni[0];
  bool json = false, disegno = false, aiuto = false, versione = false;
  bool altaPrecisione = false;
  OpzioniEventi eventi;
  std::set<std::string> usate;  // the options given, by name
};

[[noreturn]] void Errore(const std::string& messaggio) {
  std::cerr << "effemeridi: " << messaggio << "\n" << Uso();
  std::exit(2);
}

// A number given to an option: the whole text, a plain decimal number.
double Numero(const std::string& opzione, const std::string& testo) {
  double x = 0;
  if (!mr::LeggiNumeroStretto(testo, x)) Errore(opzione + " vuole un numero: " + testo);
  return x;
}

// An angle of altitude, -90 to 90 degrees.
double Altezza(const std::string& opzione, const std::string& testo) {
  const double gradi = Numero(opzione, testo);
  if (!(gradi >= -90 && gradi <= 90)) Errore(opzione + " vuole da -90 a 90 gradi: " + testo);
  return gradi;
}

// "AAAA-MM-GG" as the number AAAAMMGG, a day from 1600 to 2999.
double Data(const std::string& opzione, const std::string& testo) {
  const bool forma = testo.size() == 10 && testo[4] == '-' && testo[7] == '-' &&
                     std::all_of(testo.begin(), testo.end(), [](char c) {
                       return c == '-' || (c >= '0' && c <= '9');
                     });
  const double aaaammgg =
      forma ? std::stod(testo.substr(0, 4) + testo.substr(5, 2) + testo.substr(8, 2)) : 0;
  if (!mr::DataAmmessa(aaaammgg))
    Errore(opzione + " vuole una data AAAA-MM-GG dal 1600 al 2999: " + testo);
  return aaaammgg;
}

// Reads one option of --eventi and --mutui; false when a is none of them.
template <class Valore>
bool OpzioneEventi(const std::string& a, Valore valore, OpzioniEventi& e) {
  if (a == "--eventi" || a == "--mutui") {
    const std::string testo = valore();
    const double giorni = Numero(a, testo);
    if (!(giorni >= 1 && giorni <= 3660 && giorni == std::floor(giorni)))
      Errore(a + " vuole un numero intero di giorni da 1 a 3660: " + testo);
    e.giorni = static_cast<int>(giorni);
    e.mutui = a == "--mutui";
  } else if (a == "--fuso") {
    const std::string nome = valore();
    if (!mr::FusoQt(nome).Valido())
      Errore("fuso orario sconosciuto: " + nome + " (un nome IANA, per esempio Europe/Rome)");
    e.fuso = nome;
  } else if (a == "--macchia") e.macchia = Numero(a, valore());
  else if (a == "--deriva") e.deriva = Numero(a, valore());
  else if (a == "--epoca") e.epoca = Data(a, valore());
  else if (a == "--visibili") e.visibili = true;
  else if (a == "--altezza-minima") e.filtro.altezzaMinimaGiove = Altezza(a, valore());
  else if (a == "--sole-massimo") e.filtro.altezzaMassimaSole = Altezza(a, valore());
  else if (a == "--formato") {
    const std::string nome = valore();
    e.formato = nullptr;
    for (const Formato& f : Formati)
      if (nome == f.nome) e.formato = &f;
    if (!e.formato) Errore("formato sconosciuto: " + nome + " (" + NomiFormati() + ")");
  } else
    return false;
  return true;
}

// Options that belong to one use only: the window's commands, the listings of
// events, their filter, the Red Spot of the phenomena's.
void ControllaUsi(const Opzioni& o) {
  const auto usata = [&](const char* nome) { return o.usate.count(nome) > 0; };
  const std::string elenco = o.eventi.mutui ? "--mutui" : "--eventi";
  if (usata("--eventi") && usata("--mutui")) Errore("--eventi e --mutui non valgono insieme");
  for (const char* nome : {"--azione", "--spunta", "--precisione", "--json", "--disegno"})
    if (o.eventi.giorni && usata(nome)) Errore(std::string(nome) + " non vale con " + elenco);
  for (const char* nome : {"--visibili", "--altezza-minima", "--sole-massimo", "--formato", "--fuso"})
    if (!o.eventi.giorni && usata(nome))
      Errore(std::string(nome) + " vale solo con --eventi o --mutui");
  for (const char* nome : {"--macchia", "--deriva", "--epoca"})
    if ((!o.eventi.giorni || o.eventi.mutui) && usata(nome))
      Errore(std::string(nome) + " vale solo con --eventi");
  for (const char* nome : {"--altezza-minima", "--sole-massimo"})
    if (!o.eventi.visibili && usata(nome)) Errore(std::string(nome) + " vale solo con --visibili");
}

Opzioni LeggiOpzioni(int argc, char** argv) {
  static const std::map<std::string, std::string> campi = {
      {"--giorno", "Giorno"}, {"--mese", "Mese"}, {"--anno", "Anno"},
      {"--ore", "Ore"},       {"--minuti", "Minuti"}};
  Opzioni o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto valore = [&]() -> std::string {
      if (i + 1 >= argc) Errore("manca il valore di " + a);
      return argv[++i];
    };
    o.usate.insert(a);
    if (OpzioneEventi(a, valore, o.eventi)) continue;
    if (a == "--json") o.json = true;
    else if (a == "--disegno") o.disegno = true;
    else if (a == "--help") o.aiuto = true;
    else if (a == "--version") o.versione = true;
    else if (campi.count(a)) o.campi[campi.at(a)] = valore();
    else if (a == "--zona") {
      o.zona = valore();
      if (o.zona != "TU" && o.zona != "TM" && o.zona != "OE") Errore("zona non valida: " + o.zona);
    } else if (a == "--cartella") {
      o.cartella = valore();
      std::error_code ec;
      if (!std::filesystem::is_directory(o.cartella, ec))
        Errore("la cartella non esiste: " + o.cartella.string());
    } else if (a == "--spunta") {
      std::string s = valore();
      auto uguale = s.find('=');
      if (uguale == std::string::npos || (s.substr(uguale + 1) != "0" && s.substr(uguale + 1) != "1"))
        Errore("--spunta vuole NOME=0 oppure NOME=1: " + s);
      o.spunte.emplace_back(s.substr(0, uguale), s[uguale + 1] - '0');
    } else if (a == "--precisione") {
      const std::string p = valore();
      if (p != "normale" && p != "alta") Errore("precisione non valida: " + p);
      o.altaPrecisione = p == "alta";
    } else if (a == "--azione") {
      const std::string nome = valore();
      o.azione = nullptr;
      for (const Azione& z : Azioni)
        if (nome == z.nome) o.azione = &z;
      if (!o.azione) Errore("azione sconosciuta: " + nome);
    } else
      Errore("opzione sconosciuta: " + a);
  }
  if (!o.aiuto && !o.versione) ControllaUsi(o);
  return o;
}

// The check boxes by name, in the order of the output.
std::vector<std::pair<std::string, mr::Casella*>> Caselle(MacchiaRossa& m) {
  std::vector<std::pair<std::string, mr::Casella*>> c = {{"Macchia", &m.Macchia},
                                                        {"Rivoluzione", &m.Rivoluzione},
                                                        {"Griglia", &m.Griglia},
                                                        {"Cielo", &m.Cielo}};
  for (int i = 0; i < 4; ++i) c.emplace_back(mr::NomiSatelliti[i].casella, &m.CasellaSatellite(i));
  return c;
}

// The value of "MeridianoA.arresto".
std::string NomeArresto(mr::Arresto a) {
  using mr::Arresto;
  switch (a) {
    case Arresto::InCorso: return "";
    case Arresto::Macchia: return "Macchia";
    case Arresto::EclisseTrovata: return "EclisseTrovata";
    case Arresto::Fine: return "fine";
    case Arresto::Utente: return "utente";
    case Arresto::FuoriIntervallo: return "fuoriIntervallo";
    case Arresto::OmbraIo:
    case Arresto::OmbraEuropa:
    case Arresto::OmbraGanimede:
    case Arresto::OmbraCallisto: return mr::NomiSatelliti[mr::SatelliteDellArresto(a)].casella;
  }
  return "";
}

// Keys and values of the output, in order; numbers and JSON values kept raw.
struct Voce {
  std::string chiave, valore;
  bool grezzo;  // already JSON (number, boolean, array)
};

std::vector<Voce> Risultato(MacchiaRossa& m, const Opzioni& o) {
  auto t = [](std::string k, std::string v) { return Voce{std::move(k), std::move(v), false}; };
  auto n = [](std::string k, double v) { return Voce{std::move(k), mr::TestoNumero(v), true}; };
  std::vector<Voce> v = {
      t("Giorno", m.Giorno.Text),       t("Mese", m.Mese.Text),
      t("Anno", m.Anno.Text),           t("Ore", m.Ore.Text),
      t("Minuti", m.Minuti.Text),       t("Longitudine", m.Longitudine.Text),
      t("MC", m.MC.Text),               t("DiametroA", m.DiametroA.Text),
      t("De", m.De.Text),               t("Sorgere", m.Sorgere.Text),
      t("Culmine", m.Culmine.Text),     t("Tramonto", m.Tramonto.Text),
      t("Sorgere.ToolTipText", m.Sorgere.ToolTipText),
      t("Tramonto.ToolTipText", m.Tramonto.ToolTipText),
      t("Massimo", m.Massimo.Text),     n("ScartoOra", m.ScartoOra),
      n("LongGradi", m.LongGradi),      n("LongPrimi", m.LongPrimi),
      n("LatGradi", m.LatGradi),        n("LatPrimi", m.LatPrimi),
      n("AltezzaSole", m.AltezzaSole),  n("EclisseTrovata", m.EclisseTrovata),
      t("Elevazione.Caption", m.frmSatelliti.Elevazione.Caption),
      t("Elevazione.BackColor", mr::TestoColore(m.frmSatelliti.Elevazione.BackColor)),
      t("Visibilità.Caption", m.frmSatelliti.Visibilita.Caption),
      t("Visibilità.BackColor", mr::TestoColore(m.frmSatelliti.Visibilita.BackColor)),
      t("frmSatelliti.Caption", m.frmSatelliti.Caption),
      Voce{"frmSatelliti.Visible", m.frmSatelliti.Visible ? "true" : "false", true},
      t("frmSatelliti.BackColor", mr::TestoColore(m.frmSatelliti.BackColor)),
  };
  for (const auto& [nome, casella] : Caselle(m))
    v.push_back(t(nome + ".ForeColor", mr::TestoColore(casella->ForeColor)));
  if (o.azione->gestore == &MacchiaRossa::MeridianoA) {
    v.push_back(n("MeridianoA.fotogramma", m.Fotogramma()));
    v.push_back(t("MeridianoA.arresto", NomeArresto(m.Arresto())));
  }
  if (o.disegno) {
    v.push_back(Voce{"Zorva.disegno", mr::OperazioniJson(m.Zorva.operazioni), true});
    v.push_back(
        Voce{"frmSatelliti.disegno", mr::OperazioniJson(m.frmSatelliti.disegno.operazioni), true});
  }
  return v;
}

void StampaJson(const std::vector<Voce>& voci) {
  std::string out = "{";
  for (std::size_t i = 0; i < voci.size(); ++i) {
    if (i) out += ",\n ";
    out += mr::TestoJson(voci[i].chiave) + ": " +
           (voci[i].grezzo ? voci[i].valore : mr::TestoJson(voci[i].valore));
  }
  std::cout << out << "}\n";
}

void StampaTabella(const MacchiaRossa& m) {
  auto riga = [](const std::string& etichetta, const std::string& valore) {
    std::printf("%-42s %s\n", etichetta.c_str(), valore.c_str());
  };
  const char* zona = m.OE ? "Ora Estiva" : m.TU ? "Tempo Universale" : "Tempo Medio";
  riga("Data", m.Giorno.Text + "/" + m.Mese.Text + "/" + m.Anno.Text);
  riga("Ora (" + std::string(zona) + ")", m.Ore.Text + ":" + m.Minuti.Text);
  riga("Longitudine della Macchia Rossa (II)", m.Longitudine.Text + "°");
  riga("Meridiano centrale (II)", m.MC.Text + "°");
  riga("Diametro angolare", m.DiametroA.Text + "\"");
  riga("Declinazione della Terra", m.De.Text + "°");
  riga("Sorge", m.Sorgere.Text);
  riga("Culmina", m.Culmine.Text);
  riga("Tramonta", m.Tramonto.Text);
  riga("Altezza di Zorva", m.frmSatelliti.Elevazione.Caption);
  if (m.AltaPrecisione) riga("Effemeridi", "alta precisione");
  // The Sun, the sky and the panel are worked out only with the satellites'
  // revolution ticked; otherwise they still hold an earlier computation's values.
  if (m.Rivoluzione.Value != 1) return;
  riga("Altezza del Sole", mr::TestoSingolo(static_cast<float>(m.AltezzaSole)) + "°");
  std::string cielo = m.frmSatelliti.Visibilita.Caption;
  cielo.erase(0, cielo.find_first_not_of(' ') == std::string::npos ? cielo.size()
                                                                     : cielo.find_first_not_of(' '));
  riga("Cielo", cielo);
  if (m.frmSatelliti.Visible) riga("Satelliti", m.frmSatelliti.Caption);
}

// ---- the events of --eventi -------------------------------------------------

// Hours the zone is ahead of UT: 0 TU, 1 TM, 2 OE. Without --zona, the zone
// IOra.txt remembers, as the window starts (mean time when it says nothing).
int OreZona(const Opzioni& o) {
  if (o.zona == "TU") return 0;
  if (o.zona == "TM") return 1;
  if (o.zona == "OE") return 2;
  mr::LetturaIOra ora = mr::LeggiIOra(o.cartella);
  if (ora.errore) std::cerr << mr::TestoErrore(*ora.errore) << "\n";
  return ora.valore == 1.0 ? 2 : 1;
}

// "Imp.txt" as the window reads it (its notices on stderr), with the Red Spot
// of the command line in place of the file's.
mr::Impostazioni ImpostazioniEventi(const Opzioni& o) {
  mr::LetturaImp lettura = mr::LeggiImp(o.cartella);
  if (lettura.mancante)
    std::cerr << mr::AvvisoImpMancante << "\n";
  else if (!lettura.errori.empty())
    std::cerr << mr::TestoErrori(lettura) << "\n";
  mr::Impostazioni imp = lettura.imp;
  const OpzioniEventi& e = o.eventi;
  if (e.macchia) imp.longitudineMacchia = *e.macchia;
  if (e.deriva) imp.derivaMacchia = *e.deriva;
  if (e.epoca) imp.dataMacchia = *e.epoca;
  // The file's values are in range: a value refused is the command line's.
  const auto testo = [](double x) {
    char t[32];
    std::snprintf(t, sizeof t, "%g", x);
    return std::string(t);
  };
  if (!mr::Ammessa(mr::Grandezza::Macchia, imp))
    Errore("longitudine della Macchia Rossa non ammessa (da 0 a meno di 360 gradi): " +
           testo(imp.longitudineMacchia));
  if (!mr::Ammessa(mr::Grandezza::Deriva, imp))
    Errore("deriva della Macchia Rossa non ammessa (da -30 a 30 gradi al mese, con la data "
           "--epoca AAAA-MM-GG): " + testo(imp.derivaMacchia));
  return imp;
}

// The UT Julian day of the date options, read as the window's fields: civil
// time of the zone, the fields not given holding the present instant (to the
// minute). A text that is not a number, or a day or time not on the calendar
// (31 April, 24:00, 9.5 h), is an error.
double InizioUT(const Opzioni& o, int oreZona) {
  using namespace std::chrono;
  const sys_time<minutes> adesso = floor<minutes>(system_clock::now()) + hours(oreZona);
  const sys_days oggi = floor<days>(adesso);
  const year_month_day data(oggi);
  const hh_mm_ss<minutes> ora(adesso - oggi);
  double giorno = static_cast<unsigned>(data.day()), mese = static_cast<unsigned>(data.month()),
         anno = static_cast<int>(data.year()), ore = ora.hours().count(),
         minuti = ora.minutes().count();
  const std::map<std::string, double*> campi = {{"Giorno", &giorno}, {"Mese", &mese},
                                                {"Anno", &anno},     {"Ore", &ore},
                                                {"Minuti", &minuti}};
  for (const auto& [campo, testo] : o.campi)
    if (!mr::LeggiNumeroStretto(testo, *campi.at(campo)))
      Errore("data o ora illeggibile: " + testo);
  // On the calendar when it reads back the same; a year too far to read back
  // is outside the range anyway.
  const std::optional<mr::DataOraUT> letta =
      mr::DataOraAlSecondo(mr::GiornoGiuliano(giorno, mese, anno, ore, minuti));
  if (letta && !(letta->giorno == giorno && letta->mese == mese && letta->anno == anno &&
                 letta->ore == ore && letta->minuti == minuti && letta->secondi == 0))
    Errore("data o ora inesistente: " + mr::TestoNumero(giorno) + "/" + mr::TestoNumero(mese) +
           "/" + mr::TestoNumero(anno) + " " + mr::TestoNumero(ore) + ":" +
           mr::TestoNumero(minuti));
  return mr::GiornoGiuliano(giorno, mese, anno, ore - oreZona, minuti);
}

// Degrees with two decimals and the side: "12.50° E", "3.70° O".
std::string Coordinata(double gradi, char positivo, char negativo) {
  char testo[64];
  std::snprintf(testo, sizeof testo, "%.2f° %c", std::abs(gradi), gradi < 0 ? negativo : positivo);
  return testo;
}

// The lines above the table: the window and the site, the Red Spot (of the
// phenomena's list) and Delta T, and the filter.
std::string Intestazione(double inizioUT, const Opzioni& o, const mr::Impostazioni& imp) {
  const OpzioniEventi& e = o.eventi;
  const mr::DataOraUT d = *mr::DataOraAlSecondo(inizioUT);
  char inizio[64];
  std::snprintf(inizio, sizeof inizio, "%02d/%02d/%04d %02d:%02d TU", d.giorno, d.mese, d.anno,
                d.ore, d.minuti);
  const mr::Sito sito = mr::SitoDi(imp);
  std::string testo = std::string(e.mutui ? "Fenomeni mutui" : "Eventi") + " di " +
                      std::to_string(e.giorni) + (e.giorni == 1 ? " giorno" : " giorni") +
                      " " + mr::PrimaDelGiorno("dal", d.giorno) + inizio + ", da " + Coordinata(sito.longitudine, 'E', 'O') + " " +
                      Coordinata(sito.latitudine, 'N', 'S') + "\n";
  if (!e.mutui) {
    testo += "Macchia Rossa a " + mr::TestoNumero(imp.longitudineMacchia) + "°";
    if (imp.derivaMacchia != 0) {
      const int giorno = static_cast<int>(std::lround(imp.dataMacchia) % 100);
      testo += " (deriva " + mr::TestoNumero(imp.derivaMacchia) + "° al mese " +
               mr::PrimaDelGiorno("dal", giorno) + mr::TestoData(imp.dataMacchia) + ")";
    }
    testo += ", ";
  }
  testo += "Delta T " + mr::TestoNumero(imp.deltaT) + " s\n";
  if (e.visibili)
    testo += "Solo gli eventi visibili: Giove ad almeno " +
             mr::TestoNumero(e.filtro.altezzaMinimaGiove) + "°, Sole a non più di " +
             mr::TestoNumero(e.filtro.altezzaMassimaSole) + "°" +
             (e.mutui ? " al massimo, non nascosti da Giove né dalla sua ombra" : "") +
             "\n";
  return testo + "\n";
}

// The exit status of a search that computed nothing (its notice on stderr);
// nothing when it computed.
std::optional<int> NonCalcolati(mr::EsitoEventi esito) {
  switch (esito) {
    case mr::EsitoEventi::Calcolati: break;
    case mr::EsitoEventi::FuoriIntervallo:
      std::cerr << "Intervallo degli eventi fuori dagli anni 1600-2999: nessun calcolo\n";
      return 1;
    case mr::EsitoEventi::DatiNonValidi: Errore("data o ora non valida");
  }
  return std::nullopt;
}

// The present instant, UT Julian day.
double JdAdesso() {
  using namespace std::chrono;
  return 2440587.5 + duration<double>(system_clock::now().time_since_epoch()).count() / 86400;
}

// Lists the events or the mutual events; the exit status.
int ElencaEventi(const Opzioni& o) {
  const OpzioniEventi& e = o.eventi;
  const mr::Impostazioni imp = ImpostazioniEventi(o);
  const double inizio = InizioUT(o, OreZona(o));
  // Local times in the planner's zone, read as the window reads it.
  std::optional<mr::FusoQt> fuso;
  if (e.formato->locale) {
    std::string scelto = e.fuso.value_or("");
    if (!e.fuso) {
      const mr::LetturaPreferenze lettura = mr::LeggiPreferenze(o.cartella);
      if (lettura.errore) std::cerr << mr::TestoErrore(*lettura.errore) << "\n";
      scelto = mr::LeggiPreferenzeEventi(lettura.preferenze).fuso;
    }
    fuso = mr::FusoDelPianificatore(scelto);
  }
  const Contesto contesto{e.visibili ? std::optional(e.filtro) : std::nullopt,
                          fuso ? &*fuso : nullptr, JdAdesso()};
  std::string testo;
  if (e.mutui) {
    const mr::RicercaMutui r = mr::CercaMutui(inizio, e.giorni, imp.deltaT, mr::SitoDi(imp));
    if (const std::optional<int> stato = NonCalcolati(r.esito)) return *stato;
    testo = e.formato->mutui(r.eventi, contesto);
  } else {
    const mr::RicercaEventi r =
        mr::CercaEventi(inizio, e.giorni, imp.deltaT, mr::SitoDi(imp), mr::ModelloMacchiaDi(imp));
    if (const std::optional<int> stato = NonCalcolati(r.esito)) return *stato;
    testo = e.formato->eventi(r.eventi, contesto);
  }
  if (e.formato->intestazione) std::cout << Intestazione(inizio, o, imp);
  std::cout << testo;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  mr::IgnoraSegnaleLimiteFile();
  Opzioni o = LeggiOpzioni(argc, argv);
  if (o.aiuto) {
    std::cout << Uso();
    return 0;
  }
  if (o.versione) {
    std::cout << "effemeridi (MacchiaRossa) " << mr::Versione << "\n";
    return 0;
  }
  if (o.eventi.giorni) return ElencaEventi(o);
  AmbienteConsole ambiente;
  MacchiaRossa m(o.cartella, ambiente, /*scriviFile=*/false);
  m.AltaPrecisione = o.altaPrecisione;
  m.Form_Load();

  for (auto& [nome, testo] : o.campi) {
    mr::Campo* campo = nome == "Giorno" ? &m.Giorno
                       : nome == "Mese" ? &m.Mese
                       : nome == "Anno" ? &m.Anno
                       : nome == "Ore"  ? &m.Ore
                                        : &m.Minuti;
    campo->Text = testo;
  }
  if (o.zona == "OE") m.OE_Click();
  else if (o.zona == "TM") m.TM_Click();
  else if (o.zona == "TU") m.TU_Click();
  const auto caselle = Caselle(m);
  for (auto& [nome, valore] : o.spunte) {
    auto trovata = std::find_if(caselle.begin(), caselle.end(),
                                [&](const auto& c) { return c.first == nome; });
    if (trovata == caselle.end()) Errore("casella sconosciuta: " + nome);
    trovata->second->Value = valore;
    for (int i = 0; i < 4; ++i)
      if (nome == mr::NomiSatelliti[i].casella) m.CasellaSatellite_Click(i);
  }
  (m.*o.azione->gestore)();
  // An instant outside the range computes nothing: no results (the notice is
  // on stderr). A minute step that was ignored prints the window as it stands.
  if (m.EsitoComando() == mr::Esito::FuoriIntervallo) return 1;

  if (o.json)
    StampaJson(Risultato(m, o));
  else
    StampaTabella(m);
  return 0;
}
