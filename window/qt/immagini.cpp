#include "window/qt/immagini.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace mr {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double rad = pi / 180.0;
constexpr int latoMassimo = 4096;

// ---------------------------------------------------------------- helpers

struct V3 {
  double x, y, z;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 Unit(V3 a) {
  double n = std::sqrt(Dot(a, a));
  return n > 0 ? a * (1.0 / n) : V3{1, 0, 0};
}
// Unit vector at latitude phi, longitude lambda (degrees); x towards the viewer,
// y to the right, z north.
V3 Direzione(double phi, double lambda) {
  return {std::cos(phi * rad) * std::cos(lambda * rad), std::cos(phi * rad) * std::sin(lambda * rad),
          std::sin(phi * rad)};
}
// Angle between two unit vectors, degrees.
double Distanza(V3 a, V3 b) { return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) / rad; }

// Colour with channels 0..255.
struct Rgb {
  double r, g, b;
};
Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Mix(Rgb a, Rgb b, double t) { return a * (1 - t) + b * t; }

double Smooth(double e0, double e1, double x) {
  double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
// 1 at the centre of a soft disk of radius r, 0 outside.
double Macchia(double d, double r, double morbido = 0.3) { return 1 - Smooth(r * (1 - morbido), r, d); }

int Canale(double c) { return static_cast<int>(std::clamp(std::lround(c), 0L, 255L)); }
QRgb Pixel(Rgb c) { return qRgb(Canale(c.r), Canale(c.g), Canale(c.b)); }

// Gradient noise in three dimensions (improved Perlin noise), about -1..1;
// the permutation comes from a fixed seed, so pictures are the same on every run.
class Rumore {
 public:
  explicit Rumore(std::uint32_t seme) {
    std::array<int, 256> q;
    std::iota(q.begin(), q.end(), 0);
    std::mt19937 gen(seme);
    for (int k = 255; k > 0; --k) std::swap(q[k], q[gen() % static_cast<unsigned>(k + 1)]);
    for (int k = 0; k < 512; ++k) p_[k] = q[k & 255];
  }

  double operator()(V3 v) const {
    double fx = std::floor(v.x), fy = std::floor(v.y), fz = std::floor(v.z);
    int X = static_cast<int>(fx) & 255, Y = static_cast<int>(fy) & 255, Z = static_cast<int>(fz) & 255;
    double x = v.x - fx, y = v.y - fy, z = v.z - fz;
    double u = Fade(x), w = Fade(y), s = Fade(z);
    int A = p_[X] + Y, AA = p_[A] + Z, AB = p_[A + 1] + Z;
    int B = p_[X + 1] + Y, BA = p_[B] + Z, BB = p_[B + 1] + Z;
    return Lerp(s,
                Lerp(w, Lerp(u, Grad(p_[AA], x, y, z), Grad(p_[BA], x - 1, y, z)),
                     Lerp(u, Grad(p_[AB], x, y - 1, z), Grad(p_[BB], x - 1, y - 1, z))),
                Lerp(w, Lerp(u, Grad(p_[AA + 1], x, y, z - 1), Grad(p_[BA + 1], x - 1, y, z - 1)),
                     Lerp(u, Grad(p_[AB + 1], x, y - 1, z - 1), Grad(p_[BB + 1], x - 1, y - 1, z - 1))));
  }

  // Two-dimensional noise repeating every `periodo` units in x (up to 65536).
  double operator()(double x, double y, int periodo) const {
    double fx = std::floor(x), fy = std::floor(y);
    int X0 = static_cast<int>(fx) % periodo;
    if (X0 < 0) X0 += periodo;
    int X1 = X0 + 1 == periodo ? 0 : X0 + 1;
    int Y0 = static_cast<int>(fy) & 255, Y1 = (Y0 + 1) & 255;
    x -= fx;
    y -= fy;
    double u = Fade(x), w = Fade(y);
    return Lerp(w, Lerp(u, Grad2(Hash(X0, Y0), x, y), Grad2(Hash(X1, Y0), x - 1, y)),
                Lerp(u, Grad2(Hash(X0, Y1), x, y - 1), Grad2(Hash(X1, Y1), x - 1, y - 1)));
  }

  // Octaves of the periodic noise around a circle: t in turns, y free.
  double Frattale(double t, double y, int periodo, int ottave) const {
    double somma = 0, ampiezza = 1, norma = 0;
    for (int k = 0; k < ottave; ++k) {
      somma += ampiezza * (*this)(t * periodo, y, periodo);
      norma += ampiezza;
      periodo *= 2;
      y = y * 2 + 7.3;
      ampiezza *= 0.5;
    }
    return somma / norma;
  }

  // Sum of octaves, each twice the frequency and half the amplitude of the last.
  double Frattale(V3 v, int ottave) const {
    double somma = 0, ampiezza = 1, norma = 0;
    for (int k = 0; k < ottave; ++k) {
      somma += ampiezza * (*this)(v);
      norma += ampiezza;
      v = v * 2.03 + V3{17.3, 9.1, 4.7};
      ampiezza *= 0.5;
    }
    return somma / norma;
  }

 private:
  static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
  static double Lerp(double t, double a, double b) { return a + t * (b - a); }
  int Hash(int X, int Y) const { return p_[p_[p_[X & 255] + ((X >> 8) & 255)] + Y]; }
  static double Grad2(int h, double x, double y) {
    switch (h & 7) {
      case 0: return x + y;
      case 1: return -x + y;
      case 2: return x - y;
      case 3: return -x - y;
      case 4: return x;
      case 5: return -x;
      case 6: return y;
      default: return -y;
    }
  }
  static double Grad(int h, double x, double y, double z) {
    h &= 15;
    double u = h < 8 ? x : y;
    double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
  }
  std::array<int, 512> p_;
};

// Uniform numbers from a fixed seed.
class Caso {
 public:
  explicit Caso(std::uint32_t seme) : gen_(seme) {}
  double operator()(double a, double b) { return a + (b - a) * (gen_() / 4294967296.0); }
  V3 Direzione() {
    double z = (*this)(-1, 1), t = (*this)(0, 2 * pi), c = std::sqrt(1 - z * z);
    return {c * std::cos(t), c * std::sin(t), z};
  }

 private:
  std::mt19937 gen_;
};

// ---------------------------------------------------------------- Jupiter's disk
//
// The disk follows the program's parallels: at latitude phi the parallel lies
// r(phi) sin(phi) above the centre with half-width r(phi) cos(phi), where
// r(phi) = 117.81 + 8.19 cos(phi). Its outline thus matches the sky painted
// around the disk and the latitude grid.

double RaggioParallelo(double phi) { return 117.81 + (126.0 - 117.81) * std::cos(phi * rad); }
double AltezzaParallelo(double phi) { return RaggioParallelo(phi) * std::sin(phi * rad); }
double SemiLarghezza(double phi) { return RaggioParallelo(phi) * std::cos(phi * rad); }

// Near the poles the parallels climb up to about 86 degrees and then sink a
// little: the disk's top is taken at that highest parallel.
double LatitudineCima() {
  static const double cima = [] {
    double a = 60, b = 90;
    for (int k = 0; k < 100; ++k) {
      double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
      if (AltezzaParallelo(m1) < AltezzaParallelo(m2))
        a = m1;
      else
        b = m2;
    }
    return (a + b) / 2;
  }();
  return cima;
}
double AltezzaCima() { return AltezzaParallelo(LatitudineCima()); }

// Latitude of the parallel standing h above the centre, |h| <= AltezzaCima().
double LatitudineAllAltezza(double h) {
  double target = std::min(std::abs(h), AltezzaCima());
  double a = 0, b = LatitudineCima();
  for (int k = 0; k < 50; ++k) {
    double m = (a + b) / 2;
    (AltezzaParallelo(m) < target ? a : b) = m;
  }
  return std::copysign((a + b) / 2, h);
}

// The spot's marker stands at y = 162, 33 units below the centre; the spot's
// real planetographic latitude is -22 degrees. Real latitudes are stretched
// onto the disk's parallels so that both agree and the poles stay at the poles.
double LatitudineReale(double phiDisco) {
  static const double q = [] {
    double phi0 = std::abs(LatitudineAllAltezza(33.0)), t0 = phi0 / 90;
    return (22.0 / phi0 - t0 * t0) / (1 - t0 * t0);
  }();
  double t = phiDisco / 90;
  return phiDisco * (q + (1 - q) * t * t);
}

// Cylindrical map of the planet: columns of 1/3 degree of System II
// longitude, rows of 1/3 degree of disk latitude from the north pole.
constexpr int NL = 1080;
constexpr int NB = 540;
constexpr double passo = 1.0 / 3;

double LatitudineRiga(int j) { return 90.0 - (j + 0.5) * passo; }

int Colonna(double lambda) {
  if (!std::isfinite(lambda)) lambda = 0;
  double a = std::fmod(lambda, 360.0);
  if (a < 0) a += 360;
  int c = static_cast<int>(a / passo + 0.5);
  return c >= NL ? c - NL : c;
}

// Colours of the belts and zones by planetographic latitude, north to south.
struct Fascia {
  double phi;
  Rgb c;
};
constexpr std::array<Fascia, 36> fasce{{
    {90, {118, 112, 108}},   // north polar region
    {62, {142, 132, 120}},
    {50, {166, 154, 137}},
    {44, {198, 187, 166}},   // north north temperate zone
    {39, {166, 144, 118}},   // north north temperate belt
    {36, {214, 204, 184}},   // north temperate zone
    {29, {220, 210, 190}},
    {27, {172, 134, 100}},   // north temperate belt
    {23.5, {178, 140, 106}},
    {21.5, {234, 224, 203}}, // north tropical zone
    {18.5, {232, 222, 200}},
    {17, {176, 122, 84}},    // north equatorial belt
    {13, {184, 132, 92}},
    {9.5, {160, 104, 70}},
    {7.8, {154, 98, 66}},
    {6.5, {226, 214, 192}},  // equatorial zone
    {2.5, {238, 228, 207}},
    {-1.5, {234, 219, 190}},
    {-5.5, {234, 222, 200}},
    {-7.3, {170, 114, 78}},  // south equatorial belt, north component
    {-10.5, {176, 120, 84}},
    {-12.5, {204, 168, 128}}, // the lighter zone inside the belt
    {-14.5, {198, 158, 118}},
    {-16.5, {172, 116, 80}}, // south component
    {-19, {162, 108, 74}},
    {-20.5, {233, 223, 203}}, // south tropical zone
    {-26, {228, 218, 196}},
    {-27.5, {166, 130, 98}}, // south temperate belt
    {-31.5, {170, 134, 102}},
    {-33.5, {220, 210, 190}}, // south temperate zone
    {-38, {210, 198, 178}},
    {-40, {170, 150, 126}},   // south south temperate belt
    {-43, {192, 178, 157}},
    {-51, {160, 148, 133}},   // south polar region
    {-64, {140, 131, 120}},
    {-90, {112, 108, 104}},
}};

Rgb ColoreFascia(double phi) {
  if (phi >= fasce.front().phi) return fasce.front().c;
  for (std::size_t k = 1; k < fasce.size(); ++k) {
    if (phi >= fasce[k].phi) {
      const Fascia& n = fasce[k - 1];
      const Fascia& s = fasce[k];
      return Mix(s.c, n.c, Smooth(s.phi, n.phi, phi));
    }
  }
  return fasce.back().c;
}

// A dark plume hanging from the equatorial belt's south edge into the zone,
// drifting in longitude as it goes south, with a dark "hot spot" at its root.
struct Festone {
  double lambda0, deriva, lunghezza;
};

// An oval: centre, semi-axes in degrees, colour and opacity.
struct Ovale {
  double lambda, phi, a, b;
  Rgb c;
  double alfa;
};

// Longitude difference a - b folded into -180..180.
double Differenza(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d < -180) d += 360;
  if (d >= 180) d -= 360;
  return d;
}

struct DettagliGiove {
  std::vector<Festone> festoni;
  std::vector<Ovale> ovali;
};

DettagliGiove CreaDettagli() {
  DettagliGiove d;
  Caso caso(1979);
  for (int k = 0; k < 11; ++k)
    d.festoni.push_back({k * 360.0 / 11 + caso(-8, 8), caso(7, 16), caso(4.5, 6.5)});
  // Dark brown barges in the north equatorial belt.
  for (int k = 0; k < 5; ++k)
    d.ovali.push_back({caso(0, 360), caso(14.5, 16), caso(3, 5), caso(0.9, 1.3), {118, 72, 50}, 0.8});
  // White ovals of the south temperate belt, one of them reddish.
  for (int k = 0; k < 6; ++k) {
    Rgb c = k == 0 ? Rgb{205, 150, 118} : Rgb{238, 232, 220};
    d.ovali.push_back({k * 60.0 + caso(0, 40), caso(-31.5, -29.5), caso(2.2, 3.5), caso(1.3, 1.8), c, 0.85});
  }
  // Small light spots of the north temperate regions and the polar hoods.
  for (int k = 0; k < 24; ++k) {
    double phi = caso(0, 1) < 0.5 ? caso(32, 58) : caso(-62, -36);
    d.ovali.push_back({caso(0, 360), phi, caso(1.2, 2.6), caso(0.7, 1.3), {222, 214, 198}, 0.55});
  }
  return d;
}

Rgb ColoreGiove(double lambda, double phi, const Rumore& n, const DettagliGiove& d) {
  double t = lambda / 360;  // noise fields wrap once around the planet
  // Band edges wave in longitude, more strongly in the two equatorial belts
  // and towards the poles.
  double equatoriali = Smooth(11, 4, std::abs(std::abs(phi) - 13));
  double polo = Smooth(40, 68, std::abs(phi));
  double agitato = 1 + 0.9 * equatoriali + 1.5 * Smooth(35, 55, std::abs(phi));
  double onda = n.Frattale(t, phi * 0.3, 38, 2);
  Rgb c = ColoreFascia(phi + 2.3 * agitato * onda);

  // Inside the belts: filaments drawn out along the parallels, light rifts
  // and dark condensations.
  double scuro = Smooth(222, 165, 0.3 * c.r + 0.59 * c.g + 0.11 * c.b) * (1 - polo);
  double filamenti = n.Frattale(t, phi * 1.3 + 40, 57, 3);
  c = c * (1 + (0.05 + 0.2 * scuro) * filamenti);
  double chiazze = n(t * 31, phi * 0.8 + 90, 31);
  c = Mix(c, Rgb{226, 212, 188}, 0.5 * scuro * equatoriali * Smooth(0.2, 0.5, chiazze));
  c = c * (1 - 0.2 * scuro * Smooth(0.25, 0.5, -chiazze));
  c = c * (1 + 0.025 * n(t * 251, phi * 1.5 + 130, 251));

  // Polar regions: mottled and greyer.
  if (polo > 0) {
    double macchie = n.Frattale(t, phi * 0.2 + 170, 25, 3);
    c = c * (1 + 0.2 * polo * macchie);
    double grigio = (0.3 * c.r + 0.59 * c.g + 0.11 * c.b) / 128;
    c = Mix(c, Rgb{126, 126, 128} * grigio, 0.3 * polo);
  }

  for (const Festone& f : d.festoni) {
    if (phi > 8.5 || phi < 7.8 - f.lunghezza) continue;
    double t = (7.8 - phi) / f.lunghezza;
    double centro = f.lambda0 + f.deriva * t * (0.7 + 0.3 * t);
    double dl = Differenza(lambda, centro);
    double larghezza = 1.3 + 2.4 * t;
    double alfa = 0.6 * (1 - Smooth(0.5, 1, t)) * std::exp(-dl * dl / (larghezza * larghezza));
    c = Mix(c, Rgb{112, 116, 132}, alfa);
    double dh = Differenza(lambda, f.lambda0 - 2.5);
    double radice = std::sqrt(dh * dh / 9 + (phi - 7.0) * (phi - 7.0) / 1.0);
    c = Mix(c, Rgb{88, 86, 94}, 0.6 * Macchia(radice, 1, 0.5));
  }
  for (const Ovale& o : d.ovali) {
    if (std::abs(phi - o.phi) > o.b) continue;
    double dl = Differenza(lambda, o.lambda);
    if (std::abs(dl) > o.a) continue;
    double e = std::sqrt(dl * dl / (o.a * o.a) + (phi - o.phi) * (phi - o.phi) / (o.b * o.b));
    c = Mix(c, o.c, o.alfa * Macchia(e, 1, 0.45));
  }
  return c;
}

struct Mappa {
  std::vector<QRgb> texel;  // NB rows of NL
};

const Mappa& MappaGiove() {
  static const Mappa m = [] {
    Mappa m;
    m.texel.resize(static_cast<std::size_t>(NL) * NB);
    Rumore n(1610);
    DettagliGiove d = CreaDettagli();
    for (int j = 0; j < NB; ++j) {
      double phi = LatitudineReale(LatitudineRiga(j));
      for (int i = 0; i < NL; ++i) m.texel[static_cast<std::size_t>(j) * NL + i] = Pixel(ColoreGiove(i * passo, phi, n, d));
    }
    return m;
  }();
  return m;
}

// The Great Red Spot in its hollow, as a patch laid over the map centred on
// the spot's longitude: premultiplied colour and opacity (0..256) per texel.
struct Toppa {
  int riga0 = 0, righe = 0;  // map rows covered
  int mezza = 0;             // columns -mezza .. mezza-1 around the spot
  std::vector<std::array<int, 3>> colore;
  std::vector<int> alfa;
};

constexpr double phiMacchia = -22.0;
constexpr double aMacchia = 9.5;  // semi-axes: degrees of longitude
constexpr double bMacchia = 5.0;  // and of latitude

void Sopra(Rgb& C, double& A, Rgb c, double a) {
  C = c * a + C * (1 - a);
  A = a + A * (1 - a);
}

Toppa CreaToppa() {
  Toppa t;
  Rumore n(1664);
  t.mezza = static_cast<int>(18 / passo);
  int primo = NB, ultimo = -1;
  for (int j = 0; j < NB; ++j) {
    if (std::abs(LatitudineReale(LatitudineRiga(j)) - phiMacchia) <= 12) {
      primo = std::min(primo, j);
      ultimo = std::max(ultimo, j);
    }
  }
  t.riga0 = primo;
  t.righe = ultimo - primo + 1;
  t.colore.resize(static_cast<std::size_t>(t.righe) * 2 * t.mezza);
  t.alfa.resize(t.colore.size());
  for (int j = 0; j < t.righe; ++j) {
    double phi = LatitudineReale(LatitudineRiga(t.riga0 + j));
    for (int i = -t.mezza; i < t.mezza; ++i) {
      double dl = i * passo, dp = phi - phiMacchia;
      Rgb C{0, 0, 0};
      double A = 0;
      // The hollow: the belt's south edge bends north around the spot.
      double eh = std::hypot(dl / (aMacchia * 1.5), (dp - 0.8) / (bMacchia * 1.65));
      Sopra(C, A, Rgb{236, 226, 206}, 1 - Smooth(0.7, 1.0, eh + 0.05 * n(V3{dl * 0.3, dp * 0.3, 3})));
      // The spot: a salmon oval with a deeper rim and a paler, swirling core.
      double e = std::hypot(dl / aMacchia, dp / bMacchia);
      double theta = std::atan2(dp / bMacchia, dl / aMacchia) + 2.2 * (1 - e);
      double vortice = n.Frattale(V3{3 * e * std::cos(theta), 3 * e * std::sin(theta), 7.5}, 3);
      Rgb spot = Mix(Rgb{222, 150, 116}, Rgb{206, 112, 82}, Smooth(0.15, 0.75, e));
      spot = Mix(spot, Rgb{188, 96, 70}, 0.6 * Smooth(0.7, 0.9, e) * (1 - Smooth(0.9, 1.0, e)));
      spot = spot * (1 + 0.08 * vortice);
      double collare = Smooth(0.95, 1.04, e) * (1 - Smooth(1.04, 1.16, e));
      Sopra(C, A, Rgb{176, 122, 96}, 0.35 * collare);
      Sopra(C, A, spot, 1 - Smooth(0.9, 1.0, e + 0.03 * vortice));
      std::size_t k = static_cast<std::size_t>(j) * 2 * t.mezza + (i + t.mezza);
      t.colore[k] = {static_cast<int>(C.r), static_cast<int>(C.g), static_cast<int>(C.b)};
      t.alfa[k] = static_cast<int>(std::lround(A * 256));
    }
  }
  return t;
}

const Toppa& ToppaMacchia() {
  static const Toppa t = CreaToppa();
  return t;
}

// Limb darkening of the cloud tops, mu the cosine of the angle from the centre.
double Oscuramento(double mu) { return 0.12 + 0.88 * std::pow(std::max(mu, 0.0), 0.55); }

// One picture pixel on the disk: where it is, which texel it shows (row, and
// column counted back from the central meridian's), and its brightness
// (limb darkening times the share of the pixel covered by the disk, 0..256).
struct Punto {
  std::uint16_t x, y;
  std::uint16_t riga, colonna;
  std::uint16_t luce;
};

struct Tabella {
  std::vector<Punto> punti;
};

Punto PuntoDelDisco(int px, int py, double dx, double phi, double copertura) {
  double nx = std::clamp(dx / std::max(SemiLarghezza(phi), 1e-9), -1.0, 1.0);
  double scostamento = std::asin(nx) / rad;  // longitude of the pixel is omega - scostamento
  int colonna = Colonna(-scostamento);
  int riga = std::clamp(static_cast<int>((90.0 - phi) / passo), 0, NB - 1);
  double mu = std::cos(phi * rad) * std::sqrt(1 - nx * nx);
  int luce = static_cast<int>(std::lround(256 * copertura * Oscuramento(mu)));
  return {static_cast<std::uint16_t>(px), static_cast<std::uint16_t>(py), static_cast<std::uint16_t>(riga),
          static_cast<std::uint16_t>(colonna), static_cast<std::uint16_t>(luce)};
}

std::shared_ptr<const Tabella> CreaTabella(QSize pixel) {
  constexpr int S = 4;  // sub-samples per pixel side at the limb
  auto t = std::make_shared<Tabella>();
  int W = pixel.width(), H = pixel.height();
  double sx = W / 275.0, sy = H / 255.0;
  double cima = AltezzaCima();
  auto altezza = [&](double py) { return 129.0 - py / sy; };
  // Half-width of the disk on each sub-row, negative off the disk.
  std::vector<double> semi(static_cast<std::size_t>(H) * S);
  for (int q = 0; q < H * S; ++q) {
    double h = altezza((q + 0.5) / S);
    semi[q] = std::abs(h) > cima ? -1 : SemiLarghezza(LatitudineAllAltezza(h));
  }
  for (int py = 0; py < H; ++py) {
    double phiRiga = LatitudineAllAltezza(altezza(py + 0.5));
    for (int px = 0; px < W; ++px) {
      int dentro = 0;
      double somma_x = 0, somma_h = 0;
      for (int b = 0; b < S; ++b) {
        double w = semi[static_cast<std::size_t>(py) * S + b];
        if (w < 0) continue;
        double h = altezza(py + (b + 0.5) / S);
        for (int a = 0; a < S; ++a) {
          double dx = (px + (a + 0.5) / S) / sx - 134.0;
          if (std::abs(dx) <= w) {
            ++dentro;
            somma_x += dx;
            somma_h += h;
          }
        }
      }
      if (dentro == 0) continue;
      double copertura = static_cast<double>(dentro) / (S * S);
      if (dentro == S * S)
        t->punti.push_back(PuntoDelDisco(px, py, (px + 0.5) / sx - 134.0, phiRiga, 1));
      else
        t->punti.push_back(
            PuntoDelDisco(px, py, somma_x / dentro, LatitudineAllAltezza(somma_h / dentro), copertura));
    }
  }
  return t;
}

std::mutex guardia;

std::shared_ptr<const Tabella> TabellaPer(QSize pixel) {
  static std::map<std::pair<int, int>, std::shared_ptr<const Tabella>> cache;
  std::lock_guard<std::mutex> lock(guardia);
  auto chiave = std::make_pair(pixel.width(), pixel.height());
  auto it = cache.find(chiave);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 8) cache.clear();
  auto t = CreaTabella(pixel);
  cache.emplace(chiave, t);
  return t;
}

// c scaled by s/256, channel by channel.
QRgb Scala(QRgb c, unsigned s) {
  unsigned rb = ((c & 0xFF00FFu) * s >> 8) & 0xFF00FFu;
  unsigned g = ((c & 0x00FF00u) * s >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

QRgb Componi(QRgb base, const std::array<int, 3>& C, int A) {
  int resto = 256 - A;
  return qRgb(std::min(255, C[0] + (qRed(base) * resto >> 8)), std::min(255, C[1] + (qGreen(base) * resto >> 8)),
              std::min(255, C[2] + (qBlue(base) * resto >> 8)));
}

bool DimensioneValida(QSize pixel) {
  return pixel.width() > 0 && pixel.height() > 0 && pixel.width() <= latoMassimo && pixel.height() <= latoMassimo;
}

// ---------------------------------------------------------------- satellites

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
  double luce = Macchia(d, r.nucleo * 2.2, 0.7) * 0.6 + Macchia(d, r.nucleo, 0.3) * 0.4;
  for (const auto& g : r.raggi) {
    double da = std::remainder(az - g[0], 2 * pi);
    double w = g[2] * (1 + 0.4 * d / g[1]);
    luce = std::max(luce, 0.45 * std::exp(-da * da / (w * w)) * (1 - Smooth(0.2 * g[1], g[1], d)));
  }
  return std::min(luce, 1.0);
}

// Small craters scattered on the sphere through a hashed grid of cells: each
// cell may hold one, at a pseudo-random place with a pseudo-random radius.
std::uint32_t Mescola(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}
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
        std::uint32_t h = seme ^ Mescola(static_cast<std::uint32_t>(i * 73856093) ^
                                         static_cast<std::uint32_t>(j * 19349663) ^
                                         static_cast<std::uint32_t>(k * 83492791));
        if (Casuale(h) > densita) continue;
        V3 c = Unit(V3{i + Casuale(h), j + Casuale(h), k + Casuale(h)} * (1.0 / celle));
        double t = Casuale(h);
        double r = rMin + (rMax - rMin) * t * t;
        double d = std::sqrt(Dot(p - c, p - c));
        if (d < r) luce = std::max(luce, Macchia(d, r, 0.6) * (0.55 + 0.45 * Casuale(h)));
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
    c = Mix(c, Rgb{52, 40, 30}, 0.85 * Macchia(d, v.nucleo, 0.5));
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
    c = Mix(c, Rgb{186, 176, 158}, 0.85 * Macchia(d, b.centrale, 0.6));
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

QImage ImmagineGiove(QSize pixel, double omega, double L) {
  if (!DimensioneValida(pixel)) return {};
  QImage img(pixel, QImage::Format_RGB32);
  if (img.isNull()) return img;
  img.fill(qRgb(0, 0, 0));
  std::shared_ptr<const Tabella> tabella = TabellaPer(pixel);
  const Mappa& mappa = MappaGiove();
  const Toppa& toppa = ToppaMacchia();
  const int cm = Colonna(omega), cl = Colonna(L);
  const auto passoRiga = static_cast<std::size_t>(img.bytesPerLine() / 4);
  auto* dst = reinterpret_cast<QRgb*>(img.bits());
  for (const Punto& p : tabella->punti) {
    int colonna = p.colonna + cm;
    if (colonna >= NL) colonna -= NL;
    QRgb c = mappa.texel[static_cast<std::size_t>(p.riga) * NL + colonna];
    int j = p.riga - toppa.riga0;
    if (j >= 0 && j < toppa.righe) {
      int rel = colonna - cl;
      if (rel >= NL / 2) rel -= NL;
      if (rel < -NL / 2) rel += NL;
      if (rel >= -toppa.mezza && rel < toppa.mezza) {
        std::size_t k = static_cast<std::size_t>(j) * 2 * toppa.mezza + (rel + toppa.mezza);
        if (toppa.alfa[k] > 0) c = Componi(c, toppa.colore[k], toppa.alfa[k]);
      }
    }
    dst[p.y * passoRiga + p.x] = Scala(c, p.luce);
  }
  return img;
}

QImage ImmagineSatellite(int i, QSize pixel) {
  if (!DimensioneValida(pixel)) return {};
  static std::map<std::tuple<int, int, int>, QImage> cache;
  static std::mutex guardiaSatelliti;
  std::lock_guard<std::mutex> lock(guardiaSatelliti);
  auto chiave = std::make_tuple(i, pixel.width(), pixel.height());
  auto it = cache.find(chiave);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 16) cache.clear();
  QImage img = CreaSatellite(i, pixel);
  cache.emplace(chiave, img);
  return img;
}

}  // namespace mr
