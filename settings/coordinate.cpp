#include "settings/coordinate.h"

#include "ephemeris/numeri.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace mr {

namespace {

// A field's number: its first word, with a decimal comma read as a point.
std::optional<double> NumeroCampo(std::string testo) {
  std::replace(testo.begin(), testo.end(), ',', '.');
  const std::size_t inizio = testo.find_first_not_of(" \t");
  if (inizio == std::string::npos) return std::nullopt;
  const std::size_t fine = testo.find_first_of(" \t", inizio);
  double valore = 0;
  if (!LeggiNumeroStretto(std::string_view(testo).substr(inizio, fine - inizio), valore))
    return std::nullopt;
  return valore;
}

// An angle kept as degrees and minutes with their own signs, shown as two
// positive parts and the hemisphere (negativo: west or south).
void MostraAngolo(double gradi, double primi, std::string& testoGradi, std::string& testoPrimi,
                  bool& negativo) {
  negativo = gradi + primi / 60 < 0;
  if ((gradi < 0 && primi > 0) || (gradi > 0 && primi < 0)) {
    // Opposite signs: the sum, counted in minutes so that whole minutes stay whole.
    const double somma = std::fabs(gradi * 60 + primi);
    gradi = std::floor(somma / 60);
    primi = somma - 60 * gradi;
  }
  testoGradi = TestoNumero(std::fabs(gradi));
  testoPrimi = TestoNumero(std::fabs(primi));
}

// How a message names each field, and what it says when the field fails.
struct Descrizione {
  const char* nome;
  bool plurale;
  const char* fuori;    // the rule of its range
  const char* emisfero; // how to enter a negative position
};
constexpr Descrizione Descrizioni[] = {
    {"la longitudine della Macchia Rossa", false,
     "la longitudine della Macchia Rossa deve essere da 0 a meno di 360°", ""},
    {"i gradi della longitudine dell'osservatore", true,
     "la longitudine dell'osservatore deve essere al massimo di 180°", "l'ovest scegliere O"},
    {"i primi della longitudine dell'osservatore", true,
     "i primi della longitudine dell'osservatore devono essere meno di 60", "l'ovest scegliere O"},
    {"i gradi della latitudine dell'osservatore", true,
     "la latitudine dell'osservatore deve essere al massimo di 90°", "il sud scegliere S"},
    {"i primi della latitudine dell'osservatore", true,
     "i primi della latitudine dell'osservatore devono essere meno di 60", "il sud scegliere S"},
    {"Delta T", false, "Delta T deve essere da -10000 a 10000 secondi", ""},
};

}  // namespace

std::string TestoEsito(const EsitoSalva& esito) {
  if (esito.file) return TestoErrore(*esito.file);
  if (!esito.campo) return "";
  const Descrizione& d = Descrizioni[esito.campo->campo - 1];
  std::string testo;
  switch (esito.campo->motivo) {
    case MotivoCampo::NonNumero:
      testo = std::string(d.nome) + (d.plurale ? " devono" : " deve") + " essere un numero";
      break;
    case MotivoCampo::Negativo:
      testo = std::string(d.nome) + " non possono essere negativi: per " + d.emisfero;
      break;
    case MotivoCampo::FuoriIntervallo:
      testo = d.fuori;
      break;
  }
  return "Non salvato: " + testo + ".";
}

Coordinate::Coordinate(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}

void Coordinate::Form_Load() {
  LetturaImp lettura = LeggiImp(cartella_);
  Mostra(lettura.imp);
  derivaMacchia_ = lettura.imp.derivaMacchia;
  dataMacchia_ = lettura.imp.dataMacchia;
  caricati_ = Attuali();
  Annota("", false);
  Problema = lettura.mancante ? "Il file " + std::string(NomeImp) +
                                    " non esiste: sono mostrati i valori predefiniti, "
                                    "\"Salva\" lo crea"
                              : TestoErrori(lettura);
  Aperta = true;
}

void Coordinate::Mostra(const Impostazioni& imp) {
  Text1 = TestoNumero(imp.longitudineMacchia);
  MostraAngolo(imp.longGradi, imp.longPrimi, Text2, Text3, Ovest);
  MostraAngolo(imp.latGradi, imp.latPrimi, Text4, Text5, Sud);
  Text6 = TestoNumero(imp.deltaT);
}

Coordinate::Campi Coordinate::Attuali() const {
  return {{Text1, Text2, Text3, Text4, Text5, Text6}, Ovest, Sud};
}

std::optional<ErroreCampo> Coordinate::Valori(Impostazioni& imp) const {
  const Campi campi = Attuali();
  double v[6];
  for (int i = 0; i < 6; ++i) {
    const int campo = i + 1;
    const std::optional<double> x = NumeroCampo(campi.testi[i]);
    if (!x) return ErroreCampo{campo, MotivoCampo::NonNumero};
    const bool posizione = campo >= 2 && campo <= 5;
    const bool primi = campo == 3 || campo == 5;
    if (posizione && *x < 0) return ErroreCampo{campo, MotivoCampo::Negativo};
    if (primi && *x >= 60) return ErroreCampo{campo, MotivoCampo::FuoriIntervallo};
    v[i] = *x;
  }
  const double eo = Ovest ? -1 : 1, ns = Sud ? -1 : 1;
  imp = {v[0], eo * v[1], eo * v[2], ns * v[3], ns * v[4], v[5], derivaMacchia_, dataMacchia_};

  // A quantity out of its range is named by its first field. The drift, kept
  // as loaded, was in its range then.
  constexpr std::pair<Grandezza, int> PrimoCampo[] = {
      {Grandezza::Macchia, 1}, {Grandezza::Longitudine, 2},
      {Grandezza::Latitudine, 4}, {Grandezza::DeltaT, 6}};
  for (auto [g, campo] : PrimoCampo)
    if (!Ammessa(g, imp)) return ErroreCampo{campo, MotivoCampo::FuoriIntervallo};
  return std::nullopt;
}

EsitoSalva Coordinate::Salva_Click() {
  EsitoSalva esito;
  Impostazioni imp{};
  esito.campo = Valori(imp);
  if (!esito.campo) esito.file = ScriviImp(cartella_, imp);
  if (esito.Salvato()) {
    Mostra(imp);
    caricati_ = Attuali();
    Problema.clear();
  }
  // A file that cannot be written is for a notice; the line names a field.
  Annota(esito.file ? "" : esito.campo ? TestoEsito(esito) : AvvisoSalvato, esito.Salvato());
  return esito;
}

void Coordinate::Annota(std::string stato, bool salvato) {
  stato_ = std::move(stato);
  salvato_ = salvato;
  annotati_ = Attuali();
}

bool Coordinate::Modificata() const { return Attuali() != caricati_; }

bool Coordinate::Salvato() const { return salvato_ && Attuali() == annotati_; }

std::string Coordinate::Stato() const { return Attuali() == annotati_ ? stato_ : ""; }

std::optional<EsitoSalva> Coordinate::OK_Click(Risposta risposta) {
  std::optional<EsitoSalva> esito;
  if (Modificata()) {
    if (risposta == Risposta::Annulla) return esito;
    if (risposta == Risposta::Si) {
      esito = Salva_Click();
      if (!esito->Salvato()) return esito;
    }
  }
  Aperta = false;
  return esito;
}

}  // namespace mr
