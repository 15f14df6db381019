// effemeridi: the main window's computations without a display. It starts the
// window model as the program starts, sets the fields, the zone and the check
// boxes given on the command line, clicks a command and prints the result.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <system_error>
#include <string>
#include <vector>

#include "app/versione.h"
#include "ephemeris/numeri.h"
#include "settings/file_impostazioni.h"
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

constexpr const char* Uso =
    "uso: effemeridi [--giorno T] [--mese T] [--anno T] [--ore T] [--minuti T]\n"
    "                [--zona TU|TM|OE] [--cartella DIR] [--spunta NOME=0|1 ...]\n"
    "                [--azione Calcola|Più|Meno|Più10|Meno10|TReale|Rotazione]\n"
    "                [--precisione normale|alta]\n"
    "                [--json] [--disegno] [--help] [--version]\n";

class AmbienteConsole : public mr::Ambiente {
 public:
  void Avviso(const std::string& testo) override { std::cerr << testo << "\n"; }
};

struct Opzioni {
  std::map<std::string, std::string> campi;  // field name -> text
  std::string zona;
  std::filesystem::path cartella = ".";
  std::vector<std::pair<std::string, int>> spunte;
  const Azione* azione = &Azioni[0];
  bool json = false, disegno = false, aiuto = false, versione = false;
  bool altaPrecisione = false;
};

[[noreturn]] void Errore(const std::string& messaggio) {
  std::cerr << "effemeridi: " << messaggio << "\n" << Uso;
  std::exit(2);
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

}  // namespace

int main(int argc, char** argv) {
  mr::IgnoraSegnaleLimiteFile();
  Opzioni o = LeggiOpzioni(argc, argv);
  if (o.aiuto) {
    std::cout << Uso;
    return 0;
  }
  if (o.versione) {
    std::cout << "effemeridi (MacchiaRossa) " << mr::Versione << "\n";
    return 0;
  }
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
