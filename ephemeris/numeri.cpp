#include "ephemeris/numeri.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace mr {

namespace {

// Length of the leading number of s (after blanks), 0 when there is none.
std::size_t LunghezzaNumero(std::string_view s, std::size_t inizio) {
  std::size_t i = inizio;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t cifre = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++cifre;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1, decimali = 0;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j, ++decimali;
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

double Converti(std::string_view numero) {
  // from_chars does not take a leading '+'.
  if (!numero.empty() && numero.front() == '+') numero.remove_prefix(1);
  double valore = 0;
  auto [fine, errore] = std::from_chars(numero.data(), numero.data() + numero.size(), valore,
                                        std::chars_format::fixed);
  if (errore == std::errc::result_out_of_range)
    return numero.front() == '-' ? -std::numeric_limits<double>::max()
                                 : std::numeric_limits<double>::max();
  (void)fine;
  return valore;
}

}  // namespace

double LeggiNumero(std::string_view testo) {
  std::size_t inizio = SaltaSpazi(testo);
  std::size_t n = LunghezzaNumero(testo, inizio);
  if (n == 0) return 0;
  return Converti(testo.substr(inizio, n));
}

bool LeggiNumeroStretto(std::string_view testo, double& valore) {
  std::size_t inizio = SaltaSpazi(testo);
  std::size_t n = LunghezzaNumero(testo, inizio);
  if (n == 0) return false;
  std::size_t fine = inizio + n;
  while (fine < testo.size() && (testo[fine] == ' ' || testo[fine] == '\t')) ++fine;
  if (fine != testo.size()) return false;
  valore = Converti(testo.substr(inizio, n));
  return true;
}

std::string TestoNumero(double x) {
  if (!std::isfinite(x)) return "0";
  if (x == 0) return "0";  // also -0
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  // Very large or small values come out in exponent form; write them plainly.
  if (s.find('e') != std::string::npos) {
    r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    if (r.ec == std::errc()) s.assign(buf, r.ptr);
  }
  return s;
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

double Riduci360(double x) { return x - 360 * std::floor(x / 360); }

}  // namespace mr
