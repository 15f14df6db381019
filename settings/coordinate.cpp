#include "settings/coordinate.h"

#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/eventi.h"
#include "ephemeris/numeri.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

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

// The whole numbers of a text split at any of the separators, each of 1 to
// cifre[i] digits and no blanks inside; nothing for any other text.
std::optional<std::vector<int>> Parti(std::string_view testo, std::string_view separatori,
                                      std::vector<std::size_t> cifre) {
  const std::size_t inizio = testo.find_first_not_of(" \t");
  const std::size_t fine = testo.find_last_not_of(" \t");
  if (inizio == std::string_view::npos) return std::nullopt;
  testo = testo.substr(inizio, fine - inizio + 1);
  std::vector<int> parti;
  for (std::size_t massimo : cifre) {
    if (!parti.empty()) {
      if (testo.empty() || separatori.find(testo.front()) == std::string_view::npos)
        return std::nullopt;
      testo.remove_prefix(1);
    }
    std::size_t n = 0;
    int valore = 0;
    while (n < testo.size() && n < massimo && testo[n] >= '0' && testo[n] <= '9')
      valore = valore * 10 + (testo[n++] - '0');
    if (n == 0) return std::nullopt;
    testo.remove_prefix(n);
    parti.push_back(valore);
  }
  if (!testo.empty()) return std::nullopt;
  return parti;
}

// A date as Italians write it, GG/MM/AAAA (G/M/AAAA, points for the slashes
// allowed), as the number AAAAMMGG; nothing unless DataAmmessa accepts it.
std::optional<double> LeggiData(std::string_view testo) {
  const auto p = Parti(testo, "/.", {2, 2, 4});
  if (!p) return std::nullopt;
  const double aaaammgg = (*p)[2] * 10000.0 + (*p)[1] * 100 + (*p)[0];
  if (!DataAmmessa(aaaammgg)) return std::nullopt;
  return aaaammgg;
}

// A time of day hh:mm or hh:mm:ss (points for the colons allowed), as hours,
// minutes and seconds; nothing for any other text or a time beyond 23:59:59.
std::optional<std::array<int, 3>> LeggiOra(std::string_view testo) {
  auto p = Parti(testo, ":.", {2, 2, 2});
  if (!p) {
    p = Parti(testo, ":.", {2, 2});
    if (p) p->push_back(0);
  }
  if (!p || (*p)[0] > 23 || (*p)[1] > 59 || (*p)[2] > 59) return std::nullopt;
  return std::array<int, 3>{(*p)[0], (*p)[1], (*p)[2]};
}

// An angle in degrees rounded to 0.1° in [0, 360), as the program shows the
// GRS longitude.
std::string TestoDecimi(double gradi) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f", gradi);
  return testo;
}

// The drift of Text7 within its range.
std::optional<double> DerivaCampo(const std::string& testo) {
  const std::optional<double> d = NumeroCampo(testo);
  if (!d || !(std::fabs(*d) <= DerivaMassima)) return std::nullopt;
  return d;
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
    {"la deriva della Macchia Rossa", false,
     "la deriva della Macchia Rossa deve essere da -30° a 30° al mese", ""},
    {"la data di riferimento", false, "", ""},
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
    case MotivoCampo::NonData:
      testo = "la data di riferimento deve essere una data GG/MM/AAAA dal 1600 al 2999";
      break;
    case MotivoCampo::SenzaData:
      testo = "con una deriva diversa da 0 serve la data di riferimento (GG/MM/AAAA)";
      break;
  }
  return "Non salvato: " + testo + ".";
}

double LongitudineAllaData(double mc, double deriva, double jdUT, double jdRiferimento) {
  // The drift carries the longitude from the observed instant back to the date.
  return LongitudineMacchia({mc, deriva, jdUT}, jdRiferimento);
}

std::string TestoMisura(const EsitoMisura& esito) {
  switch (esito.problema) {
    case ProblemaMisura::Nessuno:
      break;
    case ProblemaMisura::Incompleta:
      return "";
    case ProblemaMisura::Data:
      return "La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999.";
    case ProblemaMisura::Ora:
      return "L'ora dell'osservazione deve essere scritta hh:mm oppure hh:mm:ss.";
    case ProblemaMisura::FuoriIntervallo:
      return "In Tempo Universale l'osservazione cade fuori dagli anni 1600-2999.";
    case ProblemaMisura::DeltaT:
      return "Per il calcolo serve un Delta T valido (da -10000 a 10000 secondi).";
    case ProblemaMisura::Deriva:
      return "Per il calcolo serve una deriva valida (da -30° a 30° al mese).";
  }
  if (!esito.misura) return "";
  const MisuraMacchia& m = *esito.misura;
  char ora[16];
  if (m.ut.secondi == 0)
    std::snprintf(ora, sizeof ora, "%02d:%02d", m.ut.ore, m.ut.minuti);
  else
    std::snprintf(ora, sizeof ora, "%02d:%02d:%02d", m.ut.ore, m.ut.minuti, m.ut.secondi);
  const std::string data = TestoData(m.data);
  const int giorno = static_cast<int>(m.data) % 100;
  std::string testo = "Meridiano centrale (II) " + PrimaDelGiorno("il", giorno) + data + " alle " + ora +
                      " TU: " + TestoDecimi(AngoloAlDecimo(m.MC)) + "°.\n";
  if (m.deriva == 0)
    return testo + "Da memorizzare: longitudine " + TestoDecimi(m.L0) + "°, senza deriva.";
  return testo + "Da memorizzare: longitudine " + TestoDecimi(m.L0) + "° " + PrimaDelGiorno("al", giorno) + data +
         " (0h TU),\ncon la deriva di " + TestoNumero(m.deriva) + "° al mese.";
}

Coordinate::Coordinate(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}

void Coordinate::Form_Load() {
  LetturaImp lettura = LeggiImp(cartella_);
  Mostra(lettura.imp);
  caricati_ = Attuali();
  Annota("", TipoStato::Nessuno);
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
  Text7 = TestoNumero(imp.derivaMacchia);
  Text8 = DataAmmessa(imp.dataMacchia) ? TestoData(imp.dataMacchia) : "";
}

Coordinate::Campi Coordinate::Attuali() const {
  return {{Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8}, Ovest, Sud};
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
  imp = {v[0], eo * v[1], eo * v[2], ns * v[3], ns * v[4], v[5]};

  // A quantity out of its range is named by its first field.
  constexpr std::pair<Grandezza, int> PrimoCampo[] = {
      {Grandezza::Macchia, 1}, {Grandezza::Longitudine, 2},
      {Grandezza::Latitudine, 4}, {Grandezza::DeltaT, 6}};
  for (auto [g, campo] : PrimoCampo)
    if (!Ammessa(g, imp)) return ErroreCampo{campo, MotivoCampo::FuoriIntervallo};
  return ValoriDeriva(imp);
}

std::optional<ErroreCampo> Coordinate::ValoriDeriva(Impostazioni& imp) const {
  const std::optional<double> deriva = NumeroCampo(Text7);
  if (!deriva) return ErroreCampo{7, MotivoCampo::NonNumero};
  imp.derivaMacchia = *deriva;
  imp.dataMacchia = 0;
  if (Text8.find_first_not_of(" \t") != std::string::npos) {
    const std::optional<double> data = LeggiData(Text8);
    if (!data) return ErroreCampo{8, MotivoCampo::NonData};
    imp.dataMacchia = *data;
  }
  if (!Ammessa(Grandezza::Deriva, imp))
    return std::fabs(imp.derivaMacchia) <= DerivaMassima
               ? ErroreCampo{8, MotivoCampo::SenzaData}
               : ErroreCampo{7, MotivoCampo::FuoriIntervallo};
  return std::nullopt;
}

EsitoSalva Coordinate::Salva_Click() {
  EsitoSalva esito;
  Impostazioni imp{};
  esito.campo = Valori(imp);
  if (!esito.campo) esito.file = ScriviImp(cartella_, imp);
  if (esito.Salvato()) {
    // Without a drift the file keeps no date.
    if (imp.derivaMacchia == 0) imp.dataMacchia = 0;
    Mostra(imp);
    caricati_ = Attuali();
    Problema.clear();
  }
  // A file that cannot be written is for a notice; the line names a field.
  if (esito.Salvato())
    Annota(AvvisoSalvato, TipoStato::Salvato);
  else if (esito.campo)
    Annota(TestoEsito(esito), TipoStato::Errore);
  else
    Annota("", TipoStato::Nessuno);
  return esito;
}

std::optional<double> Coordinate::LongitudineMacchiaAl(double jdUT) const {
  Impostazioni imp = ImpostazioniPredefinite;
  const std::optional<double> L0 = NumeroCampo(Text1);
  if (!L0) return std::nullopt;
  imp.longitudineMacchia = *L0;
  if (!Ammessa(Grandezza::Macchia, imp) || ValoriDeriva(imp) || !std::isfinite(jdUT))
    return std::nullopt;
  return AngoloAlDecimo(LongitudineMacchia(ModelloMacchiaDi(imp), jdUT));
}

EsitoMisura Coordinate::Misura() const {
  const auto vuoto = [](const std::string& t) {
    return t.find_first_not_of(" \t") == std::string::npos;
  };
  if (vuoto(DataOsservazione) || vuoto(OraOsservazione)) return {ProblemaMisura::Incompleta};
  const std::optional<double> data = LeggiData(DataOsservazione);
  if (!data) return {ProblemaMisura::Data};
  const std::optional<std::array<int, 3>> ora = LeggiOra(OraOsservazione);
  if (!ora) return {ProblemaMisura::Ora};
  Impostazioni imp = ImpostazioniPredefinite;
  const std::optional<double> deltaT = NumeroCampo(Text6);
  if (!deltaT) return {ProblemaMisura::DeltaT};
  imp.deltaT = *deltaT;
  if (!Ammessa(Grandezza::DeltaT, imp)) return {ProblemaMisura::DeltaT};
  const std::optional<double> deriva = DerivaCampo(Text7);
  if (!deriva) return {ProblemaMisura::Deriva};

  // The civil time of the chosen zone back to UT.
  const int n = static_cast<int>(*data);
  const double jdUT = GiornoGiuliano(n % 100, n / 100 % 100, n / 10000,
                                     (*ora)[0] - ScartoOsservazione, (*ora)[1] + (*ora)[2] / 60.0);
  const std::optional<DataOraUT> ut = DataOraAlSecondo(jdUT);
  const PosizioniPrecise p = PosizioniAllIstante({jdUT, *deltaT});
  if (!ut || !p.valide) return {ProblemaMisura::FuoriIntervallo};
  const double dataUT = ut->anno * 10000.0 + ut->mese * 100 + ut->giorno;
  if (!DataAmmessa(dataUT)) return {ProblemaMisura::FuoriIntervallo};

  const double jdData = GiornoGiuliano(ut->giorno, ut->mese, ut->anno);
  return {ProblemaMisura::Nessuno,
          MisuraMacchia{*ut, p.MC, *deriva,
                        AngoloAlDecimo(LongitudineAllaData(p.MC, *deriva, jdUT, jdData)), dataUT}};
}

bool Coordinate::UsaMisura() {
  const EsitoMisura esito = Misura();
  if (!esito.misura) return false;
  Text1 = TestoNumero(esito.misura->L0);
  Text8 = TestoData(esito.misura->data);
  Annota(AvvisoMisuraUsata, TipoStato::Nota);
  return true;
}

void Coordinate::Annota(std::string stato, TipoStato tipo) {
  stato_ = std::move(stato);
  tipo_ = tipo;
  annotati_ = Attuali();
}

bool Coordinate::Modificata() const { return Attuali() != caricati_; }

bool Coordinate::Salvato() const { return tipo_ == TipoStato::Salvato && Attuali() == annotati_; }

bool Coordinate::StatoErrore() const {
  return tipo_ == TipoStato::Errore && Attuali() == annotati_;
}

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
