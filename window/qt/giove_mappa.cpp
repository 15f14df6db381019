#include "window/qt/giove_mappa.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "window/qt/pittura.h"

namespace mr::pittura {

namespace {

double RaggioParallelo(double phi) { return 117.81 + (126.0 - 117.81) * std::cos(phi * rad); }
double AltezzaParallelo(double phi) { return RaggioParallelo(phi) * std::sin(phi * rad); }

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
}  // namespace

double SemiLarghezza(double phi) { return RaggioParallelo(phi) * std::cos(phi * rad); }
double AltezzaCima() { return AltezzaParallelo(LatitudineCima()); }

double LatitudineAllAltezza(double h) {
  double target = std::min(std::abs(h), AltezzaCima());
  double a = 0, b = LatitudineCima();
  for (int k = 0; k < 50; ++k) {
    double m = (a + b) / 2;
    (AltezzaParallelo(m) < target ? a : b) = m;
  }
  return std::copysign((a + b) / 2, h);
}

namespace {

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

double LatitudineRiga(int j) { return 90.0 - (j + 0.5) * passo; }

}  // namespace

int Colonna(double lambda) {
  if (!std::isfinite(lambda)) lambda = 0;
  double a = std::fmod(lambda, 360.0);
  if (a < 0) a += 360;
  int c = static_cast<int>(a / passo + 0.5);
  return c >= NL ? c - NL : c;
}

namespace {

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
    c = Mix(c, Rgb{88, 86, 94}, 0.6 * Chiazza(radice, 1, 0.5));
  }
  for (const Ovale& o : d.ovali) {
    if (std::abs(phi - o.phi) > o.b) continue;
    double dl = Differenza(lambda, o.lambda);
    if (std::abs(dl) > o.a) continue;
    double e = std::sqrt(dl * dl / (o.a * o.a) + (phi - o.phi) * (phi - o.phi) / (o.b * o.b));
    c = Mix(c, o.c, o.alfa * Chiazza(e, 1, 0.45));
  }
  return c;
}

}  // namespace

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

namespace {

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

}  // namespace

const Toppa& ToppaMacchia() {
  static const Toppa t = CreaToppa();
  return t;
}

}  // namespace mr::pittura
