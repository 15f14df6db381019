#include "window/tela.h"

#include <cstdio>

#include "ephemeris/numeri.h"
#include "window/testo_json.h"

namespace mr {

std::string TestoColore(Colore c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(c & 0xffffff));
  return buf;
}

void TelaRegistrata::Scala(double x1, double y1, double x2, double y2) {
  operazioni.push_back({.tipo = Operazione::Tipo::Scala, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
}
void TelaRegistrata::Cls() { operazioni.push_back({.tipo = Operazione::Tipo::Cls}); }
void TelaRegistrata::LarghezzaLinea(double w) {
  operazioni.push_back({.tipo = Operazione::Tipo::Larghezza, .larghezza = w});
}
void TelaRegistrata::Riempimento(Colore c) {
  operazioni.push_back({.tipo = Operazione::Tipo::Riempimento, .colore = c});
}
void TelaRegistrata::Linea(double x1, double y1, double x2, double y2, Colore c) {
  operazioni.push_back(
      {.tipo = Operazione::Tipo::Linea, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colore = c});
}
void TelaRegistrata::Cerchio(double x, double y, double r, Colore c, double aspetto) {
  operazioni.push_back(
      {.tipo = Operazione::Tipo::Cerchio, .x1 = x, .y1 = y, .r = r, .aspetto = aspetto, .colore = c});
}
void TelaRegistrata::Arco(double x, double y, double r, Colore c, double inizio, double fine,
                          double aspetto) {
  operazioni.push_back({.tipo = Operazione::Tipo::Arco,
                        .x1 = x,
                        .y1 = y,
                        .r = r,
                        .aspetto = aspetto,
                        .inizio = inizio,
                        .fine = fine,
                        .colore = c});
}
void TelaRegistrata::Punto(double x, double y, Colore c) {
  operazioni.push_back({.tipo = Operazione::Tipo::Punto, .x1 = x, .y1 = y, .colore = c});
}
void TelaRegistrata::Stampa(const std::string& testo) {
  operazioni.push_back({.tipo = Operazione::Tipo::Stampa, .testo = testo});
}

void TelaRegistrata::Riquadro(double x1, double y1, double x2, double y2, Colore c) {
  operazioni.push_back(
      {.tipo = Operazione::Tipo::Riquadro, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colore = c});
}
void TelaRegistrata::ColoreTesto(Colore c) {
  operazioni.push_back({.tipo = Operazione::Tipo::ColoreTesto, .colore = c});
}
void TelaRegistrata::Posizione(double x, double y) {
  operazioni.push_back({.tipo = Operazione::Tipo::Posizione, .x1 = x, .y1 = y});
}

double LarghezzaStimata(const std::string& testo) {
  double n = 0;
  for (char c : testo)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n * 6.5;
}

namespace {

constexpr char kPuntini[] = "\u2026";

bool Entra(const std::string& testo, double larghezza) {
  return LarghezzaStimata(testo) <= larghezza;
}

// The text up to fine, without the separators it would end on, and the ellipsis.
std::string Accorciato(const std::string& testo, std::size_t fine) {
  const std::size_t ultimo = testo.find_last_not_of(" ,;:-+(", fine == 0 ? 0 : fine - 1);
  return (fine == 0 || ultimo == std::string::npos ? std::string() : testo.substr(0, ultimo + 1)) +
         kPuntini;
}

// Where a cut at fine leaves no bracket open: before the first one left open.
std::size_t FuoriDalleParentesi(const std::string& testo, std::size_t fine) {
  std::vector<std::size_t> aperte;
  for (std::size_t i = 0; i < fine; ++i) {
    if (testo[i] == '(') aperte.push_back(i);
    if (testo[i] == ')' && !aperte.empty()) aperte.pop_back();
  }
  return aperte.empty() ? fine : aperte.front();
}

std::string Accorcia(const std::string& testo, double larghezza) {
  // After whole words, the longest first.
  for (std::size_t fine = testo.rfind(' '); fine != std::string::npos && fine > 0;
       fine = testo.rfind(' ', fine - 1)) {
    const std::string t = Accorciato(testo, FuoriDalleParentesi(testo, fine));
    if (t != kPuntini && Entra(t, larghezza)) return t;
  }
  // Within the first word, at a character (a UTF-8 code point) boundary.
  std::string migliore;
  for (std::size_t fine = 0; fine <= testo.size(); ++fine) {
    if (fine < testo.size() && (static_cast<unsigned char>(testo[fine]) & 0xC0) == 0x80) continue;
    std::string t = testo.substr(0, fine) + kPuntini;
    if (!Entra(t, larghezza)) break;
    migliore = std::move(t);
  }
  return migliore;
}

}  // namespace

std::string TestoCheEntra(std::span<const std::string> forme, double larghezza) {
  for (const std::string& f : forme)
    if (Entra(f, larghezza)) return f;
  return forme.empty() ? std::string() : Accorcia(forme.back(), larghezza);
}

std::string TestoCheEntra(const std::string& testo, double larghezza) {
  return TestoCheEntra(std::span(&testo, 1), larghezza);
}

void ScriviTesto(Tela& tela, double x, double y, const std::string& testo, Colore c) {
  tela.ColoreTesto(c);
  tela.Posizione(x, y);
  tela.Stampa(testo);
}

Colore InchiostroSu(Colore sfondo) {
  const int r = (sfondo >> 16) & 0xff, g = (sfondo >> 8) & 0xff, b = sfondo & 0xff;
  return (299 * r + 587 * g + 114 * b) / 1000 < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

void Riproduci(const std::vector<Operazione>& operazioni, Tela& tela) {
  using T = Operazione::Tipo;
  for (const Operazione& o : operazioni) {
    switch (o.tipo) {
      case T::Scala: tela.Scala(o.x1, o.y1, o.x2, o.y2); break;
      case T::Cls: tela.Cls(); break;
      case T::Larghezza: tela.LarghezzaLinea(o.larghezza); break;
      case T::Riempimento: tela.Riempimento(o.colore); break;
      case T::Linea: tela.Linea(o.x1, o.y1, o.x2, o.y2, o.colore); break;
      case T::Cerchio: tela.Cerchio(o.x1, o.y1, o.r, o.colore, o.aspetto); break;
      case T::Arco: tela.Arco(o.x1, o.y1, o.r, o.colore, o.inizio, o.fine, o.aspetto); break;
      case T::Punto: tela.Punto(o.x1, o.y1, o.colore); break;
      case T::Stampa: tela.Stampa(o.testo); break;
      case T::Riquadro: tela.Riquadro(o.x1, o.y1, o.x2, o.y2, o.colore); break;
      case T::ColoreTesto: tela.ColoreTesto(o.colore); break;
      case T::Posizione: tela.Posizione(o.x1, o.y1); break;
    }
  }
}

std::vector<Scritta> Scritte(const std::vector<Operazione>& operazioni) {
  using T = Operazione::Tipo;
  std::vector<Scritta> scritte;
  double x = 0, y = 0;
  Colore colore = 0;
  for (const Operazione& o : operazioni) {
    if (o.tipo == T::Posizione || o.tipo == T::Punto) x = o.x1, y = o.y1;
    if (o.tipo == T::ColoreTesto) colore = o.colore;
    if (o.tipo == T::Stampa) scritte.push_back({x, y, o.testo, colore});
  }
  return scritte;
}

namespace {

std::string Num(double x) { return TestoNumero(x); }

std::string Json(const Operazione& o) {
  using T = Operazione::Tipo;
  auto colore = ",\"color\":" + TestoJson(TestoColore(o.colore));
  switch (o.tipo) {
    case T::Scala:
      return "{\"op\":\"scale\",\"x1\":" + Num(o.x1) + ",\"y1\":" + Num(o.y1) +
             ",\"x2\":" + Num(o.x2) + ",\"y2\":" + Num(o.y2) + "}";
    case T::Cls: return "{\"op\":\"cls\"}";
    case T::Larghezza: return "{\"op\":\"width\",\"w\":" + Num(o.larghezza) + "}";
    case T::Riempimento: return "{\"op\":\"fill\"" + colore + "}";
    case T::Linea:
      return "{\"op\":\"line\",\"x1\":" + Num(o.x1) + ",\"y1\":" + Num(o.y1) +
             ",\"x2\":" + Num(o.x2) + ",\"y2\":" + Num(o.y2) + colore + "}";
    case T::Cerchio:
      return "{\"op\":\"circle\",\"x\":" + Num(o.x1) + ",\"y\":" + Num(o.y1) +
             ",\"r\":" + Num(o.r) + colore + ",\"aspect\":" + Num(o.aspetto) + "}";
    case T::Arco:
      return "{\"op\":\"circle\",\"x\":" + Num(o.x1) + ",\"y\":" + Num(o.y1) +
             ",\"r\":" + Num(o.r) + colore + ",\"aspect\":" + Num(o.aspetto) +
             ",\"start\":" + Num(o.inizio) + ",\"end\":" + Num(o.fine) + "}";
    case T::Punto:
      return "{\"op\":\"point\",\"x\":" + Num(o.x1) + ",\"y\":" + Num(o.y1) + colore + "}";
    case T::Stampa: return "{\"op\":\"print\",\"text\":" + TestoJson(o.testo) + "}";
    case T::Riquadro:
      return "{\"op\":\"box\",\"x1\":" + Num(o.x1) + ",\"y1\":" + Num(o.y1) +
             ",\"x2\":" + Num(o.x2) + ",\"y2\":" + Num(o.y2) + colore + "}";
    case T::ColoreTesto: return "{\"op\":\"forecolor\"" + colore + "}";
    case T::Posizione:
      return "{\"op\":\"move\",\"x\":" + Num(o.x1) + ",\"y\":" + Num(o.y1) + "}";
  }
  return "{}";
}

}  // namespace

std::string OperazioniJson(const std::vector<Operazione>& operazioni) {
  std::string out = "[";
  for (std::size_t i = 0; i < operazioni.size(); ++i) {
    if (i) out += ",";
    out += Json(operazioni[i]);
  }
  return out + "]";
}

}  // namespace mr
