// effemeridi: the main window's computations without a display. It starts the
// window model as the program starts, sets the fields, the zone and the check
// boxes given on the command line, clicks a command and prints the result.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "ephemeris/numeri.h"
#include "settings/file_impostazioni.h"
#include "window/macchiarossa.h"

namespace {

using mr::MacchiaRossa;

constexpr const char* Uso =
    "uso: effemeridi [--giorno T] [--mese T] [--anno T] [--ore T] [--minuti T]\n"
    "                [--zona TU|TM|OE] [--cartella DIR] [--spunta NOME=0|1 ...]\n"
    "                [--azione Calcola|Più|Meno|Più10|Meno10|TReale|Rotazione]\n"
    "                [--json] [--disegno] [--help]\n";

class AmbienteConsole : public mr::Ambiente {
 public:
  bool fuoriIntervallo = false;
  void Avviso(const std::string& testo) override {
    if (testo == mr::AvvisoFuoriIntervallo) fuoriIntervallo = true;
    std::cerr << testo << "\n";
  }
  std::string DataSistema() override { return Adesso("%m-%d-%Y"); }
  std::string OraSistema() override { return Adesso("%H:%M:%S"); }

 private:
  static std::string Adesso(const char* formato) {
    std::time_t t = std::time(nullptr);
    std::tm locale{};
    localtime_r(&t, &locale);
    char buf[32];
    std::strftime(buf, sizeof buf, formato, &locale);
    return buf;
  }
};

struct Opzioni {
  std::map<std::string, std::string> campi;  // field name -> text
  std::string zona;
  std::filesystem::path cartella = ".";
  std::vector<std::pair<std::string, int>> spunte;
  std::string azione = "Calcola";
  bool json = false, disegno = false, aiuto = false;
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
    else if (campi.count(a)) o.campi[campi.at(a)] = valore();
    else if (a == "--zona") {
      o.zona = valore();
      if (o.zona != "TU" && o.zona != "TM" && o.zona != "OE") Errore("zona non valida: " + o.zona);
    } else if (a == "--cartella") o.cartella = valore();
    else if (a == "--spunta") {
      std::string s = valore();
      auto uguale = s.find('=');
      if (uguale == std::string::npos || (s.substr(uguale + 1) != "0" && s.substr(uguale + 1) != "1"))
        Errore("--spunta vuole NOME=0 oppure NOME=1: " + s);
      o.spunte.emplace_back(s.substr(0, uguale), s[uguale + 1] - '0');
    } else if (a == "--azione") {
      o.azione = valore();
      static const std::vector<std::string> azioni = {"Calcola", "Più",    "Meno",    "Più10",
                                                      "Meno10",  "TReale", "Rotazione"};
      bool nota = false;
      for (const auto& n : azioni) nota = nota || n == o.azione;
      if (!nota) Errore("azione sconosciuta: " + o.azione);
    } else
      Errore("opzione sconosciuta: " + a);
  }
  return o;
}

mr::Casella* CasellaDiNome(MacchiaRossa& m, const std::string& nome) {
  std::map<std::string, mr::Casella*> caselle = {
      {"Macchia", &m.Macchia}, {"Rivoluzione", &m.Rivoluzione}, {"Griglia", &m.Griglia},
      {"Cielo", &m.Cielo},     {"IO", &m.IO},                   {"Europa", &m.Europa},
      {"Ganimede", &m.Ganimede}, {"Callisto", &m.Callisto}};
  auto it = caselle.find(nome);
  return it == caselle.end() ? nullptr : it->second;
}

void Esegui(MacchiaRossa& m, const std::string& azione) {
  if (azione == "Calcola") m.Calcola_Click();
  else if (azione == "Più") m.Piu_Click();
  else if (azione == "Meno") m.Meno_Click();
  else if (azione == "Più10") m.Piu10_Click();
  else if (azione == "Meno10") m.Meno10_Click();
  else if (azione == "TReale") m.TReale_Click();
  else if (azione == "Rotazione") m.MeridianoA();
}

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
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
  for (const char* nome : {"Macchia", "Rivoluzione", "Griglia", "Cielo", "IO", "Europa",
                           "Ganimede", "Callisto"})
    v.push_back(t(std::string(nome) + ".ForeColor", mr::TestoColore(CasellaDiNome(m, nome)->ForeColor)));
  if (o.azione == "Rotazione") {
    v.push_back(n("MeridianoA.fotogramma", m.Fotogramma()));
    v.push_back(t("MeridianoA.arresto", m.Arresto()));
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
    out += Json(voci[i].chiave) + ": " + (voci[i].grezzo ? voci[i].valore : Json(voci[i].valore));
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
  AmbienteConsole ambiente;
  MacchiaRossa m(o.cartella, ambiente, /*scriviFile=*/false);
  m.Form_Load();

  ambiente.fuoriIntervallo = false;
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
  for (auto& [nome, valore] : o.spunte) {
    mr::Casella* c = CasellaDiNome(m, nome);
    if (!c) Errore("casella sconosciuta: " + nome);
    c->Value = valore;
    if (nome == "IO") m.IO_Click();
    if (nome == "Europa") m.Europa_Click();
    if (nome == "Ganimede") m.Ganimede_Click();
    if (nome == "Callisto") m.Callisto_Click();
  }
  Esegui(m, o.azione);
  if (ambiente.fuoriIntervallo) return 1;

  if (o.json)
    StampaJson(Risultato(m, o));
  else
    StampaTabella(m);
  return 0;
}
