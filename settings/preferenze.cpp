#include "settings/preferenze.h"

#include <cmath>

#include "ephemeris/numeri.h"

namespace mr {

namespace {

std::string_view Spunta(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool ChiaveValida(std::string_view chiave) {
  const std::size_t barra = chiave.find('/');
  if (barra == 0 || barra == std::string_view::npos || barra + 1 == chiave.size()) return false;
  return chiave.find_first_of("=[]\r\n") == std::string_view::npos &&
         Spunta(chiave) == chiave;
}

}  // namespace

std::optional<std::string> Preferenze::Testo(std::string_view chiave) const {
  auto it = voci_.find(chiave);
  if (it == voci_.end()) return std::nullopt;
  return it->second;
}

std::string Preferenze::Testo(std::string_view chiave, std::string_view predefinito) const {
  return Testo(chiave).value_or(std::string(predefinito));
}

bool Preferenze::Booleano(std::string_view chiave, bool predefinito) const {
  const std::string t = Testo(chiave, "");
  if (t == "1" || t == "true") return true;
  if (t == "0" || t == "false") return false;
  return predefinito;
}

int Preferenze::Intero(std::string_view chiave, int predefinito, int minimo, int massimo) const {
  const double x = Numero(chiave, predefinito, minimo, massimo);
  return x == std::floor(x) ? static_cast<int>(x) : predefinito;
}

double Preferenze::Numero(std::string_view chiave, double predefinito, double minimo,
                          double massimo) const {
  double x = 0;
  const std::optional<std::string> t = Testo(chiave);
  if (!t || !LeggiNumeroStretto(*t, x) || !std::isfinite(x) || x < minimo || x > massimo)
    return predefinito;
  return x;
}

void Preferenze::Imposta(std::string_view chiave, std::string_view valore) {
  if (!ChiaveValida(chiave)) return;
  std::string v(valore);
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  voci_.insert_or_assign(std::string(chiave), std::move(v));
}

void Preferenze::ImpostaBooleano(std::string_view chiave, bool valore) {
  Imposta(chiave, valore ? "1" : "0");
}

void Preferenze::ImpostaNumero(std::string_view chiave, double valore) {
  Imposta(chiave, TestoNumero(valore));
}

void Preferenze::Unisci(const Preferenze& altre) {
  for (const auto& [chiave, valore] : altre.voci_) voci_.insert_or_assign(chiave, valore);
}

std::string Preferenze::TestoFile() const {
  std::string testo;
  std::string_view sezione;
  for (const auto& [chiave, valore] : voci_) {
    const std::string_view k = chiave;
    const std::size_t barra = k.find('/');
    if (k.substr(0, barra) != sezione) {
      if (!testo.empty()) testo += '\n';
      sezione = k.substr(0, barra);
      testo.append("[").append(sezione).append("]\n");
    }
    testo.append(k.substr(barra + 1)).append("=").append(valore).append("\n");
  }
  return testo;
}

Preferenze Preferenze::DaTesto(std::string_view testo) {
  Preferenze p;
  std::string sezione;
  while (!testo.empty()) {
    const std::size_t fine = testo.find('\n');
    const std::string_view riga = Spunta(testo.substr(0, fine));
    testo.remove_prefix(fine == std::string_view::npos ? testo.size() : fine + 1);
    if (riga.empty() || riga.front() == ';' || riga.front() == '#') continue;
    if (riga.front() == '[' && riga.back() == ']') {
      sezione = std::string(Spunta(riga.substr(1, riga.size() - 2)));
      continue;
    }
    const std::size_t uguale = riga.find('=');
    if (sezione.empty() || uguale == std::string_view::npos) continue;
    p.Imposta(sezione + "/" + std::string(Spunta(riga.substr(0, uguale))),
              Spunta(riga.substr(uguale + 1)));
  }
  return p;
}

LetturaPreferenze LeggiPreferenze(const std::filesystem::path& cartella) {
  LetturaTesto lettura = LeggiTestoFile(CercaFile(cartella, NomePreferenze));
  if (lettura.errore) return {{}, lettura.errore};
  return {Preferenze::DaTesto(lettura.testo), std::nullopt};
}

std::optional<ErroreFile> ScriviPreferenze(const std::filesystem::path& cartella,
                                           const Preferenze& preferenze) {
  return SostituisciFile(cartella, NomePreferenze, preferenze.TestoFile());
}

std::optional<ErroreFile> AggiornaPreferenze(const std::filesystem::path& cartella,
                                             const Preferenze& modifiche) {
  LetturaPreferenze lettura = LeggiPreferenze(cartella);
  if (lettura.errore) return lettura.errore;
  lettura.preferenze.Unisci(modifiche);
  return ScriviPreferenze(cartella, lettura.preferenze);
}

}  // namespace mr
