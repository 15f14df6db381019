// The pictures of the four Galilean satellites, each a full sphere with the
// surface features that make it recognisable.
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "window/qt/immagini.h"
#include "window/qt/pittura.h"

namespace mr {
namespace {

using namespace pittura;

// Full phase: the Sun stands behind the observer; mild darkening to the limb.
template <class Superficie>
QImage Sfera(QSize pixel, double scurimento, Superficie colore) {
  QImage img(pixel, QImage::Format_RGB32);
  if (img.isNull()) return img;
  img.fill(qRgb(0, 0, 0));
  int W = pixel.width(), H = pixel.height();
  double R = 0.46 * std::min(W, H), cx = W / 2.0, cy = H / 2.0;
  for (int py = 0; py < H; ++py) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(py));
    for (int px = 0; px < W; ++px) {
      double dc = std::hypot(px + 0.5 - cx, py + 0.5 - cy);
      if (dc > R + 1.5) continue;
      const int S = dc < R - 1.5 ? 2 : 4;  // finer sampling along the limb
      Rgb somma{0, 0, 0};
      for (int b = 0; b < S; ++b) {
        for (int a = 0; a < S; ++a) {
          double u = (px + (a + 0.5) / S - cx) / R, v = (cy - py - (b + 0.5) / S) / R;
          double rr = u * u + v * v;
          if (rr > 1) continue;
          double mu = std::sqrt(1 - rr);
          double luce = 1 - scurimento + scurimento * std::pow(mu, 0.6);
          somma = somma + colore(V3{mu, u, v}) * luce;
        }
      }
      riga[px] = Pixel(somma * (1.0 / (S * S)));
    }
  }
  return img;
}

// A crater with bright rays: radial streaks of different length and width.
struct Raggiera {
  V3 centro, e1, e2;
  double nucleo;
  std::vector<std::array<double, 3>> raggi;  // azimuth (rad), length (deg), width (rad)
};

Raggiera CreaRaggiera(V3 centro, double nucleo, double lunghezza, int quanti, Caso& caso) {
  Raggiera r;
  r.centro = centro;
  r.e1 = Unit(Cross(centro, V3{0, 0, 1}));
  r.e2 = Cross(centro, r.e1);
  r.nucleo = nucleo;
  for (int k = 0; k < quanti; ++k)
    r.raggi.push_back({caso(-pi, pi), lunghezza * caso(0.35, 1.0), caso(0.08, 0.2)});
  return r;
}

double LuceRaggiera(V3 p, const Raggiera& r) {
  double cosd = Dot(p, r.centro);
  if (cosd < 0.85) return 0;
  double d = Distanza(p, r.centro);
  double az = std::atan2(Dot(p, r.e2), Dot(p, r.e1));
  double luce = Chiazza(d, r.nucleo * 2.2, 0.7) * 0.6 + Chiazza(d, r.nucleo, 0.3) * 0.4;
  for (const auto& g : r.raggi) {
    double da = std::remainder(az - g[0], 2 * pi);
    double w = g[2] * (1 + 0.4 * d / g[1]);
    luce = std::max(luce, 0.45 * std::exp(-da * da / (w * w)) * (1 - Smooth(0.2 * g[1], g[1], d)));
  }
  return std::min(luce, 1.0);
}

// Small craters scattered on the sphere through a hashed grid of cells: each
// cell may hold one, at a pseudo-random place with a pseudo-random radius.
double Casuale(std::uint32_t& h) {
  h = Mescola(h + 0x9e3779b9U);
  return h / 4294967296.0;
}

double Crateri(V3 p, double celle, double densita, double rMin, double rMax, std::uint32_t seme) {
  V3 q = p * celle;
  int cx = static_cast<int>(std::floor(q.x)), cy = static_cast<int>(std::floor(q.y)),
      cz = static_cast<int>(std::floor(q.z));
  double luce = 0;
  for (int i = cx - 1; i <= cx + 1; ++i)
    for (int j = cy - 1; j <= cy + 1; ++j)
      for (int k = cz - 1; k <= cz + 1; ++k) {
        std::uint32_t h = seme ^ HashCella(i, j, k);
        if (Casuale(h) > densita) continue;
        V3 c = Unit(V3{i + Casuale(h), j + Casuale(h), k + Casuale(h)} * (1.0 / celle));
        double t = Casuale(h);
        double r = rMin + (rMax - rMin) * t * t;
        double d = std::sqrt(Dot(p - c, p - c));
        if (d < r) luce = std::max(luce, Chiazza(d, r, 0.6) * (0.55 + 0.45 * Casuale(h)));
      }
  return luce;
}

// Io: sulphur yellows and oranges, white sulphur-dioxide frost, reddish-brown
// poles, and dark volcanic centres, some inside rings of red deposits.
struct Vulcano {
  V3 centro;
  double nucleo, alone;
  Rgb coloreAlone;
  double alfaAlone;
  bool anello;
};

std::vector<Vulcano> CreaVulcani() {
  std::vector<Vulcano> v;
  Caso caso(4242);
  // A great plume ring, like Pele's, a wide dark lava patch, like Loki's,
  // and a white ring, like Prometheus'.
  v.push_back({Direzione(-18, 38), 1.3, 14, {198, 92, 48}, 0.55, true});
  v.push_back({Direzione(12, -28), 4.0, 6.5, {86, 70, 52}, 0.5, false});
  v.push_back({Direzione(-2, -62), 1.0, 7, {238, 236, 218}, 0.6, true});
  for (int k = 0; k < 70; ++k) {
    V3 c = caso.Direzione();
    double nucleo = caso(0.4, 1.5);
    double tipo = caso(0, 1);
    Rgb alone = tipo < 0.45 ? Rgb{204, 108, 56} : tipo < 0.7 ? Rgb{242, 238, 218} : Rgb{140, 110, 74};
    v.push_back({c, nucleo, nucleo * caso(4, 8), alone, caso(0.5, 0.8), false});
  }
  return v;
}

Rgb ColoreIo(V3 p, const Rumore& n, const std::vector<Vulcano>& vulcani) {
  double n1 = n.Frattale(p * 2.2, 5), n2 = n.Frattale(p * 4 + V3{11, 3, 5}, 4), n3 = n.Frattale(p * 10 + V3{2, 7, 1}, 3);
  Rgb c = Mix(Rgb{226, 204, 104}, Rgb{238, 230, 178}, Smooth(-0.25, 0.35, n1));
  c = Mix(c, Rgb{214, 150, 72}, 0.8 * Smooth(0.0, 0.45, n2));
  c = Mix(c, Rgb{246, 244, 228}, 0.85 * Smooth(0.2, 0.45, n.Frattale(p * 3 + V3{5, 21, 9}, 4)));
  c = Mix(c, Rgb{190, 188, 136}, 0.45 * Smooth(0.2, 0.45, -n2));  // greenish-grey plains
  c = Mix(c, Rgb{150, 92, 62}, 0.9 * Smooth(0.55, 0.88, std::abs(p.z) + 0.12 * n3));
  c = c * (1 + 0.08 * n3);
  double bordo = n(p * 45 + V3{1, 2, 3});  // ragged edges of the deposits
  for (const Vulcano& v : vulcani) {
    if (Dot(p, v.centro) < std::cos(v.alone * 1.2 * rad)) continue;
    double d = Distanza(p, v.centro) * (1 + 0.3 * n3 + 0.2 * bordo);
    if (v.anello) {
      double r = v.alone * 0.8, w = v.alone * 0.16;
      double dr = Distanza(p, v.centro) * (1 + 0.15 * n3) - r;
      double anello = std::exp(-dr * dr / (w * w)) * (0.6 + 0.4 * Smooth(-0.3, 0.3, n2));
      c = Mix(c, v.coloreAlone, v.alfaAlone * anello);
    } else {
      c = Mix(c, v.coloreAlone, v.alfaAlone * std::exp(-2.5 * d * d / (v.alone * v.alone)));
    }
    c = Mix(c, Rgb{52, 40, 30}, 0.85 * Chiazza(d, v.nucleo, 0.5));
  }
  return c;
}

// Europa: pale cream ice, mottled tan terrain, and long thin red-brown lineae
// running along great circles, some of them doubled.
struct Linea {
  V3 normale, asse;
  double cosArco, larghezza, alfa;
  bool doppia;
};

std::vector<Linea> CreaLinee() {
  std::vector<Linea> l;
  Caso caso(2718);
  for (int k = 0; k < 60; ++k) {
    V3 normale = caso.Direzione();
    V3 asse = Unit(Cross(normale, caso.Direzione()));
    bool larga = k < 14;
    double arco = caso(30, 150);
    double larghezza = larga ? caso(0.006, 0.012) : caso(0.002, 0.004);
    l.push_back({normale, asse, std::cos(arco * rad), larghezza, larga ? caso(0.55, 0.75) : caso(0.3, 0.5),
                 larga && caso(0, 1) < 0.5});
  }
  return l;
}

Rgb ColoreEuropa(V3 p, const Rumore& n, const std::vector<Linea>& linee) {
  double n1 = n.Frattale(p * 3.5, 5), n2 = n.Frattale(p * 9 + V3{3, 1, 8}, 3);
  // The hemisphere on the right is the darker, more mottled one.
  double tinta = n1 + 0.2 * p.y;
  Rgb c = Mix(Rgb{242, 237, 224}, Rgb{218, 196, 162}, Smooth(-0.1, 0.3, tinta));
  c = Mix(c, Rgb{186, 150, 114}, 0.5 * Smooth(0.25, 0.5, tinta));
  c = c * (1 + 0.04 * n2);
  c = Mix(c, Rgb{160, 110, 78}, 0.4 * Crateri(p, 30, 0.12, 0.006, 0.014, 5));  // dark freckles
  double ondula = 0.01 * n(p * 5 + V3{9, 9, 9});
  for (std::size_t k = 0; k < linee.size(); ++k) {
    const Linea& l = linee[k];
    if (Dot(p, l.asse) < l.cosArco) continue;
    double d = std::abs(Dot(p, l.normale) + ondula);
    if (d > l.larghezza) continue;
    double x = d / l.larghezza;
    double profilo = l.doppia ? Smooth(0.05, 0.4, x) * (1 - Smooth(0.6, 1, x)) : 1 - Smooth(0.35, 1, x);
    double fine = Smooth(l.cosArco, l.cosArco + 0.08, Dot(p, l.asse));
    double tratto = 0.45 + 0.55 * Smooth(-0.3, 0.2, n(p * 3 + V3{k * 3.7, 0, 0}));
    c = Mix(c, Rgb{156, 94, 62}, l.alfa * profilo * fine * tratto);
  }
  return c;
}

// Ganymede: dark ancient regions (the largest, like Galileo Regio, in the
// north), bright grooved terrain between them, frosty poles, and bright
// young craters with rays.
struct Regione {
  V3 centro;
  double raggio;
};

struct DettagliGanimede {
  std::vector<Regione> scure;
  std::vector<V3> solchi;  // one groove direction per cell of bright terrain
  std::vector<Raggiera> raggiere;
};

DettagliGanimede CreaGanimede() {
  DettagliGanimede g;
  g.scure = {{Direzione(30, -15), 42}, {Direzione(-18, 62), 30}, {Direzione(-34, -70), 22}, {Direzione(8, 125), 30}};
  Caso caso(31415);
  for (int k = 0; k < 14; ++k) g.solchi.push_back(caso.Direzione());
  g.raggiere.push_back(CreaRaggiera(Direzione(-36, 26), 1.8, 24, 14, caso));
  g.raggiere.push_back(CreaRaggiera(Direzione(12, -48), 1.4, 16, 10, caso));
  return g;
}

Rgb ColoreGanimede(V3 p, const Rumore& n, const DettagliGanimede& g) {
  double n1 = n.Frattale(p * 1.6, 5), n2 = n.Frattale(p * 8 + V3{4, 4, 1}, 3);
  double scuro = 0;
  for (const Regione& r : g.scure)
    scuro = std::max(scuro, 1 - Smooth(r.raggio * 0.5, r.raggio * 1.1, Distanza(p, r.centro) * (1 + 0.6 * n1)));
  scuro = Smooth(0.3, 0.7, scuro + 0.25 * n.Frattale(p * 3 + V3{8, 1, 2}, 5));

  // Grooved terrain: lanes of furrows whose direction changes from cell to cell.
  std::size_t piu = 0;
  double migliore = -2;
  V3 q = Unit(p + V3{0.2 * n1, 0.2 * n2, 0});
  for (std::size_t k = 0; k < g.solchi.size(); ++k) {
    double s = Dot(q, g.solchi[k]);
    if (s > migliore) {
      migliore = s;
      piu = k;
    }
  }
  V3 asse = g.solchi[(piu + 5) % g.solchi.size()];
  double solco = std::sin(Dot(p, asse) * 110 + 4 * n2);
  double corsia = Smooth(0.1, 0.4, n(p * 3.5 + V3{2, 5, 7}));
  Rgb chiaro = Rgb{176, 168, 154} * (1 + 0.02 * solco + 0.08 * corsia + 0.05 * n2);
  Rgb scura = Mix(Rgb{104, 92, 77}, Rgb{132, 120, 102}, Smooth(-0.3, 0.3, n2 + 0.5 * n1));
  // Arcuate furrows across the largest dark region.
  double arco = std::sin(Distanza(p, Direzione(50, -35)) * 1.6);
  scura = scura * (1 + 0.08 * Smooth(0.85, 1.0, arco));
  // Narrow darker lanes part the grooved terrain into polygons.
  double corridoio = 1 - std::abs(n(p * 3.5 + V3{3, 9, 4}));
  chiaro = chiaro * (1 - 0.07 * Smooth(0.95, 0.99, corridoio));
  scura = scura * (1 + 0.12 * n1);
  Rgb c = Mix(chiaro, scura, scuro);

  c = Mix(c, Rgb{226, 228, 230}, 0.7 * Smooth(0.74, 0.94, std::abs(p.z) + 0.06 * n2));
  c = Mix(c, Rgb{226, 224, 216}, 0.7 * Crateri(p, 30, 0.12, 0.004, 0.013, 77));
  for (const Raggiera& r : g.raggiere) c = Mix(c, Rgb{238, 238, 234}, LuceRaggiera(p, r));
  return c;
}

// Callisto: dark, saturated with craters whose bright floors speckle it, and
// the bright centre and concentric rings of a great basin like Valhalla.
struct Bacino {
  V3 centro;
  double centrale, anelli, passoAnelli;
};

Rgb ColoreCallisto(V3 p, const Rumore& n) {
  static const std::array<Bacino, 2> bacini{{{Direzione(14, 18), 11, 55, 4.2}, {Direzione(34, -62), 5, 24, 3.0}}};
  double n1 = n.Frattale(p * 3, 5), n2 = n.Frattale(p * 12 + V3{6, 2, 9}, 3);
  Rgb c = Mix(Rgb{70, 60, 50}, Rgb{108, 96, 80}, Smooth(-0.35, 0.4, n1));
  c = c * (1 + 0.08 * n2);
  for (const Bacino& b : bacini) {
    double d = Distanza(p, b.centro) * (1 + 0.06 * n2);
    if (d > b.anelli) continue;
    double anello = std::pow(0.5 + 0.5 * std::cos(2 * pi * d / b.passoAnelli), 6);
    double sfuma = Smooth(b.centrale * 0.7, b.centrale * 1.2, d) * (1 - Smooth(b.centrale, b.anelli, d));
    c = Mix(c, Rgb{150, 138, 120}, 0.45 * anello * sfuma);
    c = Mix(c, Rgb{186, 176, 158}, 0.85 * Chiazza(d, b.centrale, 0.6));
  }
  c = Mix(c, Rgb{214, 208, 196}, 0.85 * Crateri(p, 30, 0.4, 0.004, 0.014, 11));
  c = Mix(c, Rgb{196, 190, 178}, 0.65 * Crateri(p, 70, 0.4, 0.002, 0.0055, 12));
  return c;
}

QImage CreaSatellite(int i, QSize pixel) {
  switch (i) {
    case 1: {
      Rumore n(101);
      auto vulcani = CreaVulcani();
      return Sfera(pixel, 0.45, [&](V3 p) { return ColoreIo(p, n, vulcani); });
    }
    case 2: {
      Rumore n(202);
      auto linee = CreaLinee();
      return Sfera(pixel, 0.4, [&](V3 p) { return ColoreEuropa(p, n, linee); });
    }
    case 3: {
      Rumore n(303);
      auto g = CreaGanimede();
      return Sfera(pixel, 0.5, [&](V3 p) { return ColoreGanimede(p, n, g); });
    }
    case 4: {
      Rumore n(404);
      return Sfera(pixel, 0.5, [&](V3 p) { return ColoreCallisto(p, n); });
    }
    default: {
      QImage img(pixel, QImage::Format_RGB32);
      if (!img.isNull()) img.fill(qRgb(0, 0, 0));
      return img;
    }
  }
}

}  // namespace

QImage ImmagineSatellite(int i, QSize pixel) {
  if (!pittura::DimensioneValida(pixel)) return {};
  static std::map<std::tuple<int, int, int>, QImage> cache;
  auto chiave = std::make_tuple(i, pixel.width(), pixel.height());
  auto it = cache.find(chiave);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 16) cache.clear();
  QImage img = CreaSatellite(i, pixel);
  cache.emplace(chiave, img);
  return img;
}

}  // namespace mr
