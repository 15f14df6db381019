#include "ephemeris/numeri.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace mr {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// Length of the leading number of s (after blanks), 0 when there is none.
std::size_t LunghezzaNumero(std::string_view s, std::size_t inizio) {
  std::size_t i = inizio;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t cifre = 0;
  while (i < s.size() && Cifra(s[i])) ++i, ++cifre;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1, decimali = 0;
    while (j < s.size() && Cifra(s[j])) ++j, ++decimali;
    if (decimali > 0 || cifre > 0) {
      i = j;
      cifre += decimali;
    }
  }
  return cifre > 0 ? i - inizio : 0;
}

std::size_t SaltaSpazi(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return i;
}

// Whether a number text that no double can hold is too large rather than too
// small: the decimal order of its first significant digit, exponent included,
// is positive. (Such a text is either beyond 1.8e308 or below 2.5e-324.)
bool TroppoGrande(std::string_view numero) {
  std::size_t i = 0;
  if (i < numero.size() && (numero[i] == '+' || numero[i] == '-')) ++i;
  // +k for k significant digits before the point, -z for z zeros after it.
  long ordine = 0;
  bool punto = false, significativa = false;
  for (; i < numero.size() && (Cifra(numero[i]) || numero[i] == '.'); ++i) {
    if (numero[i] == '.') {
      punto = true;
      continue;
    }
    significativa = significativa || numero[i] != '0';
    if (!punto && significativa)
      ++ordine;
    else if (punto && !significativa)
      --ordine;
  }
  long esponente = 0;
  if (i < numero.size()) {  // 'e' or 'E', an optional sign, digits
    ++i;
    const bool meno = i < numero.size() && numero[i] == '-';
    if (i < numero.size() && (numero[i] == '+' || numero[i] == '-')) ++i;
    for (; i < numero.size(); ++i) esponente = std::min(esponente * 10 + (numero[i] - '0'), 100000L);
    if (meno) esponente = -esponente;
  }
  return ordine + esponente > 0;
}

// A number text already checked for its form. Beyond the range of a double it
// gives the largest double of its sign; below the smallest one it gives 0 of
// its sign (the nearest double), never an infinity.
double Converti(std::string_view numero, std::chars_format formato) {
  // from_chars does not take a leading '+'.
  if (!numero.empty() && numero.front() == '+') numero.remove_prefix(1);
  double valore = 0;
  auto [fine, errore] = std::from_chars(numero.data(), numero.data() + numero.size(), valore,
                                        formato);
  (void)fine;
  if (errore != std::errc::result_out_of_range) return valore;
  const bool negativo = numero.front() == '-';
  if (TroppoGrande(numero))
    return negativo ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  return negativo ? -0.0 : 0.0;
}

}  // namespace

double LeggiNumero(std::string_view testo) {
  std::size_t inizio = SaltaSpazi(testo);
  std::size_t n = LunghezzaNumero(testo, inizio);
  if (n == 0) return 0;
  return Converti(testo.substr(inizio, n), std::chars_format::fixed);
}

bool LeggiNumeroStretto(std::string_view testo, double& valore) {
  std::size_t inizio = SaltaSpazi(testo);
  std::size_t n = LunghezzaNumero(testo, inizio);
  if (n == 0) return false;
  std::size_t fine = inizio + n;
  while (fine < testo.size() && (testo[fine] == ' ' || testo[fine] == '\t')) ++fine;
  if (fine != testo.size()) return false;
  valore = Converti(testo.substr(inizio, n), std::chars_format::fixed);
  return true;
}

bool LeggiNumeroConEsponente(std::string_view testo, double& valore) {
  // The form is checked here: from_chars would also take "inf" and "nan".
  std::size_t n = LunghezzaNumero(testo, 0);
  if (n == 0) return false;
  if (n < testo.size() && (testo[n] == 'e' || testo[n] == 'E')) {
    std::size_t i = n + 1;
    if (i < testo.size() && (testo[i] == '+' || testo[i] == '-')) ++i;
    const std::size_t cifre = i;
    while (i < testo.size() && Cifra(testo[i])) ++i;
    if (i == cifre) return false;
    n = i;
  }
  if (n != testo.size()) return false;
  valore = Converti(testo, std::chars_format::general);
  return true;
}

std::string TestoNumero(double x) {
  if (!std::isfinite(x)) return "0";
  if (x == 0) return "0";  // also -0
  // The fixed form of any double takes at most 327 characters (-DBL_MIN).
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

std::string TestoSingolo(float x) {
  if (!std::isfinite(x) || x == 0) return "0";
  char buf[64];
  // Fixed notation with 7 significant digits, trailing zeros removed.
  int esponente = static_cast<int>(std::floor(std::log10(std::fabs(x))));
  int decimali = 6 - esponente;
  if (decimali < 0) decimali = 0;
  std::snprintf(buf, sizeof buf, "%.*f", decimali, static_cast<double>(x));
  std::string s(buf);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string TestoStampa(float x) {
  std::string s = TestoSingolo(x);
  return s.front() == '-' ? s : " " + s;
}

double ArrotondaPari(double x) { return std::nearbyint(x); }

std::int16_t Intero16(double x) {
  double n = std::nearbyint(x);
  if (!(n >= -32768)) return -32768;  // also NaN
  if (n > 32767) return 32767;
  return static_cast<std::int16_t>(n);
}

float ArrotondaA(double x, float scala) {
  return static_cast<float>(Intero16(x * scala)) / scala;
}

double ArcoSeno(double s, double pi) {
  if (std::fabs(s) >= 1) return std::copysign(pi / 2, s);
  return std::atan(s / std::sqrt(1 - s * s));
}

double AngoloAlDecimo(double gradi) {
  const double decimi = std::nearbyint(gradi * 10) / 10;
  return decimi >= 360 ? decimi - 360 : decimi;
}

double Riduci360(double x) { return x - 360 * std::floor(x / 360); }

std::string TestoData(int anno, int mese, int giorno) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d/%02d/%04d", giorno, mese, anno);
  return testo;
}

std::string TestoData(double aaaammgg) {
  const int n = static_cast<int>(aaaammgg);
  return TestoData(n / 10000, n / 100 % 100, n % 100);
}

std::string PrimaDelGiorno(std::string_view preposizione, int giorno) {
  const bool vocale = giorno == 8 || giorno == 11;  // otto, undici
  if (!vocale) return std::string(preposizione) + " ";
  if (preposizione == "il") return "l'";
  return std::string(preposizione) + "l'";  // del -> dell', al -> all', dal -> dall'
}

}  // namespace mr
